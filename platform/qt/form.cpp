#include "platform/qt/form.h"

#include "platform/abstract_form.h"

#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#include <limits>
#include <vector>

namespace platform::qt {
namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The texts' face and size; the captions' face comes with the program (ui/fonts).
QFont CaptionFont()
{
    [[maybe_unused]] static const int embedded = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/captions.ttf"));
    QFont font;
    QStringList families;
    for (const char* face : kFaces)
        families << QString::fromUtf8(face);
    font.setFamilies(families);
    font.setPixelSize(kTextPixels);
    return font;
}

QWidget* Create(const ControlDescription& control, QWidget* form)
{
    const QString text = QString::fromUtf8(control.text);
    switch (control.kind) {
    case ControlKind::TextBox: {
        auto* box = new QLineEdit(text, form);
        // No length limit: Qt's default of 32767 would cut a pasted text short.
        box->setMaxLength(std::numeric_limits<int>::max());
        return box;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(text, form);
        label->setTextFormat(Qt::PlainText);
        // Static text starts at the top-left corner of its box.
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        // Selectable with the mouse, without joining the Tab order.
        if (control.selectable)
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(text, form);
        // Enter on the focused button presses it; outside a dialog this
        // makes no button the default for Enter in a text box.
        button->setAutoDefault(true);
        return button;
    }
    }
    return nullptr;
}

// Logical pixels at 96 dpi; Qt's high-DPI scaling takes them on to the screen's.
class QtForm final : public QWidget, public AbstractForm {
public:
    explicit QtForm(const FormDescription& description)
        : AbstractForm(description, 96)
    {
        setWindowTitle(QString::fromUtf8(description.caption));
        resize(formLayout().Client().width, formLayout().Client().height);
        setFont(CaptionFont());
        // Made in tab order, which Qt's focus chain follows.
        for (std::size_t i = 0; i < description.controls.size(); ++i) {
            QWidget* control = controls_.emplace_back(Create(description.controls[i], this));
            control->setObjectName(QString::fromUtf8(description.controls[i].name));
            control->setGeometry(Geometry(formLayout().Place(i)));
            if (auto* button = qobject_cast<QPushButton*>(control))
                connect(button, &QPushButton::clicked, this, [this, i] { Click(i); });
        }
        for (std::size_t i = 0; i < controls_.size(); ++i)
            if (const auto buddy = formLayout().Buddy(i))
                static_cast<QLabel*>(controls_[i])->setBuddy(controls_[*buddy]);
        controls_[formLayout().FirstFocus()]->setFocus();
    }

    void ShowWarning(const std::string& title, const std::string& text) override
    {
        QMessageBox box(QMessageBox::Warning, FromUtf8(title), FromUtf8(text), QMessageBox::NoButton, this);
        // Named here rather than left to Qt's translations, which may be missing.
        box.addButton(QString::fromUtf8(kWarningButton), QMessageBox::AcceptRole);
        // Minimizing the box answers it, as closing it does. On Wayland its
        // title bar is Qt's own, which offers to minimize it, and a desktop
        // may keep no way back to a minimized window: the form would stay
        // blocked by a box that nobody can see.
        box.winId();
        connect(box.windowHandle(), &QWindow::windowStateChanged, &box, [&box](Qt::WindowState state) {
            if (state == Qt::WindowMinimized)
                QMetaObject::invokeMethod(&box, &QWidget::close, Qt::QueuedConnection);
        });
        box.exec();
    }

private:
    static QRect Geometry(const Rect& r) { return {r.left, r.top, r.width, r.height}; }

    std::string BoxText(std::size_t index) const override
    {
        return static_cast<QLineEdit*>(controls_[index])->text().toStdString();
    }
    // The labels have no frame and no margins: the text's width is the label's.
    int TextWidth(std::size_t index, std::string_view text) const override
    {
        return controls_[index]->fontMetrics().horizontalAdvance(FromUtf8(text));
    }
    void ShowCaption(std::size_t index, std::string_view text, const Rect& place) override
    {
        static_cast<QLabel*>(controls_[index])->setText(FromUtf8(text));
        controls_[index]->setGeometry(Geometry(place));
    }

    std::vector<QWidget*> controls_; // children of the form, which deletes them
};

} // namespace

std::unique_ptr<QWidget> CreateForm(const FormDescription& description)
{
    return std::make_unique<QtForm>(description);
}

} // namespace platform::qt
