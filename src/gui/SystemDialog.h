#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QListWidget;
class QPrinter;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace lotto {

class TForm1;

// "System": a system ticket entered on a 45-number grid (a click marks a choice number, a
// second click a banker), its name, tips and cost at once, the tips as a list, the check
// against the shown draw with the winnings per rank, save, load and print. The operations
// are MainState's; this dialog shows the state and forwards the clicks.
class SystemDialog : public QDialog {
    Q_OBJECT
public:
    explicit SystemDialog(TForm1& form);

    // Shows the system of the state: marks, name, tips, cost; a shown check is cleared.
    void refresh();
    // The caption of the draw that "Prüfen" checks against.
    void refreshDraw();
    void check();
    // The tip list as the print shows it (systems of more than 12 tips).
    void printList(QPrinter* printer) const;

    static constexpr const char* kPrintNote =
        "Das Druckbild des Systemscheins der Österreichischen Lotterien ist hier nicht bekannt: Ein System "
        "mit höchstens 12 Tipps wird als Einzeltipps auf einen Normalschein gedruckt, ein größeres als Liste "
        "seiner Tipps.";

private:
    void numberClicked(int number);
    void print();
    void clearCheck();

    TForm1& m_form;
    std::array<QToolButton*, 46> m_numbers{};
    QLabel* m_name;
    QLabel* m_numbersText;
    QLabel* m_count;
    QLabel* m_problem;
    QListWidget* m_tips;
    QLabel* m_draw;
    QTableWidget* m_result;
    QLabel* m_won;
};

} // namespace lotto
