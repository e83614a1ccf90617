#include "platform/qt/form.h"

#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace platform::qt {
namespace {

// Twips are 1/1440 inch: 15 to a logical pixel at 96 dpi. Qt's high-DPI
// scaling takes logical pixels on to the screen's.
constexpr int Pixels(int twips) { return twips / 15; }

QWidget* Create(const ControlDescription& control, QWidget* form)
{
    const QString text = QString::fromUtf8(control.text);
    QWidget* widget = nullptr;
    switch (control.kind) {
    case ControlKind::TextBox: {
        auto* box = new QLineEdit(text, form);
        // No length limit: Qt's default of 32767 would cut a pasted text short.
        box->setMaxLength(std::numeric_limits<int>::max());
        widget = box;
        break;
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
        widget = label;
        break;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(text, form);
        // Enter on the focused button presses it; outside a dialog this
        // makes no button the default for Enter in a text box.
        button->setAutoDefault(true);
        widget = button;
        break;
    }
    }
    widget->setObjectName(QString::fromUtf8(control.name));
    widget->setGeometry(Pixels(control.left), Pixels(control.top), Pixels(control.width),
                        Pixels(control.height));
    return widget;
}

class QtForm final : public QWidget, public Form {
public:
    explicit QtForm(const FormDescription& description)
        : description_(description)
    {
        setWindowTitle(QString::fromUtf8(description.caption));
        resize(Pixels(description.width), Pixels(description.height));

        // The form's own font, so that the fixed layout holds on every
        // desktop: the glyphs of its texts come with the program (ui/fonts);
        // text typed into a box may need others, from Simplified Chinese faces
        // first, whatever the process locale.
        [[maybe_unused]] static const int captionsFont =
            QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/captions.ttf"));
        QFont font;
        font.setFamilies({QStringLiteral("Discharge Captions"),
                          QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                          QStringLiteral("Source Han Sans SC"), QStringLiteral("Microsoft YaHei"),
                          QStringLiteral("SimSun")});
        font.setPixelSize(12);
        setFont(font);

        for (const ControlDescription& control : description.controls) {
            QWidget* widget = Create(control, this);
            if (auto* button = qobject_cast<QPushButton*>(widget); button && control.click)
                connect(button, &QPushButton::clicked, this, [this, click = control.click] {
                    click(*this);
                });
        }
        for (const ControlDescription& control : description.controls)
            if (control.names)
                Find<QLabel>(control.name)->setBuddy(Find<QWidget>(control.names));
    }

    std::string Caption() const override { return windowTitle().toStdString(); }

    std::string Text(std::string_view box) const override
    {
        return Find<QLineEdit>(box)->text().toStdString();
    }

    void SetCaption(std::string_view name, std::string_view text) override
    {
        auto* label = Find<QLabel>(name);
        label->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
        const ControlDescription& described = Described(name);
        // The labels have no frame and no margins: the text's width is the label's.
        const int needed = label->fontMetrics().horizontalAdvance(label->text());
        label->resize(std::clamp(needed, Pixels(described.width),
                                 Pixels(description_.width - described.left)),
                      label->height());
    }

private:
    template <class Widget>
    Widget* Find(std::string_view name) const
    {
        return findChild<Widget*>(QString::fromUtf8(name.data(), qsizetype(name.size())));
    }
    const ControlDescription& Described(std::string_view name) const
    {
        return *std::find_if(description_.controls.begin(), description_.controls.end(),
                             [name](const ControlDescription& c) { return c.name == name; });
    }

    const FormDescription& description_;
};

} // namespace

std::unique_ptr<QWidget> CreateForm(const FormDescription& description)
{
    return std::make_unique<QtForm>(description);
}

} // namespace platform::qt
