#pragma once

#include <QDialog>

namespace lotto {

// "Drucckeeinstellungen für den Lottoschein": draw days, extra games, offsets and cost.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
};

} // namespace lotto
