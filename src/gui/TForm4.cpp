#include "gui/TForm4.h"

namespace lotto {

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Lottoschein"));
}

} // namespace lotto
