#pragma once

#include "core/archive/ArchiveMaintenance.h"

#include <QDialog>

#include <array>

class QDateEdit;
class QLabel;
class QSpinBox;

namespace lotto {

// "Zahlen der Ziehung eingeben": the manual draw entry dialog. The date picker, the six main
// numbers (UpDown1..6), the extra number "Z:" (UpDown7) and the slot "S:" (UpDown8, which
// the caller hides for Austrian draws); BitBtn1 aborts, BitBtn2 confirms.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    void setEntry(const DrawEntry& entry);
    DrawEntry entry() const;
    void setSlotVisible(bool visible);

private:
    QDateEdit* m_date = nullptr;
    std::array<QSpinBox*, 8> m_numbers{};
    QLabel* m_slotLabel = nullptr;
};

} // namespace lotto
