// The program's one window: seven input boxes, the calculate button and the
// result label, laid out at fixed places.
#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

private:
    // Reads the seven boxes, computes the yearly total and shows it divided
    // by 1000 in Label7; a value beyond the double range is reported instead
    // and every text stays as it was.
    void Command1_Click();

    std::array<QLineEdit*, 7> inputs_{}; // Text1 .. Text7
    QPushButton* Command1 = nullptr;
    QLabel* Label7 = nullptr;
};
