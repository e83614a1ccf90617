// Command1_Click against a stand-in form: it reads each box into its own
// field, and shows the result or reports an overflow, for any figures.
#include "core/discharge.h"
#include "ui/Form1.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <string>

namespace {

class StandIn final : public platform::Form {
public:
    std::map<std::string, std::string, std::less<>> texts;
    std::string shown = "(nothing)", reports;

    std::string Caption() const override { return "Form1"; }
    std::string Text(std::string_view box) const override { return texts.find(box)->second; }
    void SetCaption(std::string_view label, std::string_view text) override
    {
        shown = std::string(label) + '=' + std::string(text);
    }
};

TEST(Command1Click, ShowsTheFormulaOfTheSevenBoxesOrReportsOverflow)
{
    platform::SetErrorReporter([](platform::Form& form, const std::string& title, const std::string& text) {
        static_cast<StandIn&>(form).reports += title + '|' + text + '\n';
    });
    std::mt19937_64 random(7590);
    std::uniform_int_distribution<int> exponent(-20, 320);
    for (int row = 0; row < 20000; ++row) {
        StandIn form;
        double in[7];
        for (int i = 0; i < 7; ++i) {
            const std::string text = std::to_string(random() % 2000) + "e"
                                     + std::to_string(row % 4 ? int(random() % 3) - 1 : exponent(random));
            form.texts["Text" + std::to_string(i + 1)] = text;
            in[i] = core::TextToNumber(text);
        }
        const double total =
            core::ComputeDischarge({in[0], in[1], in[2], in[3], in[4], in[5], in[6]}) / 1000;
        Command1_Click(form);
        if (std::isfinite(total)) {
            ASSERT_EQ(form.shown, "Label7=" + core::NumberToText(total)) << "row " << row;
            ASSERT_EQ(form.reports, "");
        } else {
            ASSERT_EQ(form.shown, "(nothing)") << "row " << row;
            ASSERT_EQ(form.reports, "Form1|溢出：计算结果超出数值范围。\n");
        }
    }
}

} // namespace
