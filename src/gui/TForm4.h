#pragma once

#include <QDialog>

namespace lotto {

// The ticket print layout: where the crosses of the tips go on a paper ticket.
class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
};

} // namespace lotto
