#include "ui/Form1.h"

#include "core/discharge.h"
#include "platform/errors.h"

#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <limits>

namespace {

enum class Kind { TextBox, Label, Button };

struct Control {
    const char* name;
    Kind kind;
    int left, top, width, height; // twips, from the client area's top-left corner
    const char* text;             // initial text or caption
    int tabIndex;
    const char* buddy = nullptr;  // the box a caption names, for screen readers
};

// Every control of the form, in tab order.
constexpr Control kControls[] = {
    {"Text1",    Kind::TextBox, 2400,  480, 1335,  495, "200",               0},
    {"Text2",    Kind::TextBox, 2400, 1080, 1215,  495, "100",               1},
    {"Text3",    Kind::TextBox, 2400, 1920, 1215,  495, "365",               2},
    {"Label1",   Kind::Label,    240,  600, 1935,  495, "城镇人均用水量/天", 3, "Text1"},
    {"Label2",   Kind::Label,    240, 1320, 1815,  495, "农村人均用水量/天", 4, "Text2"},
    {"Label3",   Kind::Label,    360, 2040, 1215,  495, "全年天数",          5, "Text3"},
    {"Label4",   Kind::Label,    240, 2640, 1575,  615, "城市耗水率",        6, "Text4"},
    {"Label5",   Kind::Label,    240, 3120, 1215,  495, "农村耗水率",        7, "Text5"},
    {"Text4",    Kind::TextBox, 2400, 2640, 1215,  495, "0.25",              8},
    {"Text5",    Kind::TextBox, 2400, 3360, 1215,  495, "0.8",               9},
    {"Label6",   Kind::Label,   4920, 3240, 2175, 1815, "计算公式",         10},
    {"Command1", Kind::Button,   480, 4440, 1215,  495, "计算",             11},
    {"Label8",   Kind::Label,   3960,  480, 1215,  495, "城镇人口",         12, "Text6"},
    {"Text6",    Kind::TextBox, 5040,  480, 1215,  495, "",                 13},
    {"Label9",   Kind::Label,   3840, 1200, 1215,  495, "农村人口",         14, "Text7"},
    {"Text7",    Kind::TextBox, 5040, 1080, 1215,  495, "",                 15},
    {"Label7",   Kind::Label,   2280, 4320, 1575,  615, "",                 16},
};

// Creating the controls in this order is what gives them their tab order.
constexpr bool InTabOrder()
{
    for (int i = 0; i < int(std::size(kControls)); ++i)
        if (kControls[i].tabIndex != i)
            return false;
    return true;
}
static_assert(InTabOrder());

constexpr int kClientWidth = 7590, kClientHeight = 5280; // twips

// Twips are 1/1440 inch: 15 to a logical pixel at 96 dpi. Qt's high-DPI
// scaling takes logical pixels on to the screen's.
constexpr int Pixels(int twips) { return twips / 15; }

// The boxes feed these fields, Text1 first.
constexpr double core::DischargeInputs::*kFields[] = {
    &core::DischargeInputs::UrbanPerCapitaUse,    &core::DischargeInputs::RuralPerCapitaUse,
    &core::DischargeInputs::DaysPerYear,          &core::DischargeInputs::UrbanConsumptionRate,
    &core::DischargeInputs::RuralConsumptionRate, &core::DischargeInputs::UrbanPopulation,
    &core::DischargeInputs::RuralPopulation,
};
static_assert(std::size(kFields) == 7);

QWidget* Create(const Control& control, QWidget* form)
{
    const QString text = QString::fromUtf8(control.text);
    QWidget* widget = nullptr;
    switch (control.kind) {
    case Kind::TextBox: {
        auto* box = new QLineEdit(text, form);
        // No length limit: Qt's default of 32767 would cut a pasted text short.
        box->setMaxLength(std::numeric_limits<int>::max());
        widget = box;
        break;
    }
    case Kind::Label: {
        auto* label = new QLabel(text, form);
        label->setTextFormat(Qt::PlainText);
        // Static text starts at the top-left corner of its box.
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        widget = label;
        break;
    }
    case Kind::Button: {
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

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Form1"));
    resize(Pixels(kClientWidth), Pixels(kClientHeight));

    // The form's own font, so that the fixed layout holds on every desktop:
    // the glyphs of its texts come with the program (ui/fonts); text typed
    // into a box may need others, from Simplified Chinese faces first,
    // whatever the process locale.
    [[maybe_unused]] static const int captionsFont =
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/captions.ttf"));
    QFont font;
    font.setFamilies({QStringLiteral("Discharge Captions"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Source Han Sans SC"), QStringLiteral("Microsoft YaHei"),
                      QStringLiteral("SimSun")});
    font.setPixelSize(12);
    setFont(font);

    for (const Control& control : kControls)
        Create(control, this);
    for (const Control& control : kControls)
        if (control.buddy)
            findChild<QLabel*>(QString::fromUtf8(control.name))
                ->setBuddy(findChild<QWidget*>(QString::fromUtf8(control.buddy)));

    for (std::size_t i = 0; i < inputs_.size(); ++i)
        inputs_[i] = findChild<QLineEdit*>(QStringLiteral("Text%1").arg(i + 1));
    Command1 = findChild<QPushButton*>(QStringLiteral("Command1"));
    Label7 = findChild<QLabel*>(QStringLiteral("Label7"));
    // The result can be selected and copied, without joining the Tab order.
    Label7->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label7->setAccessibleDescription(QStringLiteral("计算结果"));

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
}

void Form1::Command1_Click()
{
    core::DischargeInputs inputs;
    bool finite = true;
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
        const double value = core::TextToNumber(inputs_[i]->text().toStdString());
        inputs.*kFields[i] = value;
        finite = finite && std::isfinite(value);
    }
    const double shown = core::ComputeDischarge(inputs) / core::DisplayDivisor;
    if (!finite || !std::isfinite(shown)) {
        platform::ReportRuntimeError(this, platform::RuntimeError::Overflow);
        return;
    }
    Label7->setText(QString::fromStdString(core::NumberToText(shown)));
}
