#include "gui/TForm5.h"

namespace lotto {

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Drucckeeinstellungen für den Lottoschein"));
}

} // namespace lotto
