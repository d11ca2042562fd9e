#pragma once

#include <QDialog>

namespace lotto {

// "Zahlen der Ziehung eingeben": the manual draw entry dialog.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
};

} // namespace lotto
