// Command1_Click against a stand-in form: each box feeds its own field, and
// the label shows the result, or an overflow is reported and nothing written.
#include "core/discharge.h"
#include "ui/Form1.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

namespace {

struct StandIn final : platform::Form {
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
        static_cast<StandIn&>(form).reports += title + '|' + text;
    });
    std::mt19937_64 random(7590);
    for (int row = 0; row < 20000; ++row) {
        StandIn form;
        double in[7];
        for (int i = 0; i < 7; ++i) {
            const std::string text = std::to_string(random() % 2000) + "e" + std::to_string(random() % (row % 4 ? 3 : 340) - 20);
            form.texts["Text" + std::to_string(i + 1)] = text;
            in[i] = core::TextToNumber(text);
        }
        const double shown = core::ComputeDischarge({in[0], in[1], in[2], in[3], in[4], in[5], in[6]}) / 1000;
        Command1_Click(form);
        ASSERT_EQ(form.shown + form.reports, std::isfinite(shown) ? "Label7=" + core::NumberToText(shown)
                                                                  : "(nothing)Form1|溢出：计算结果超出数值范围。")
            << "row " << row;
    }
}

} // namespace
