#include "gui/BackupDialog.h"

#include "core/util/Text.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lotto {

BackupDialog::BackupDialog(const std::vector<ArchiveBackup>& backups, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Sicherung wiederherstellen"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Vor jeder Änderung des Archivs wird eine Kopie gesichert. "
                                                "Welche soll wieder das Archiv werden?")));
    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("BackupList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {QStringLiteral("Gesichert am"), QStringLiteral("Ziehungen"), QStringLiteral("Neueste Ziehung")});
    for (const ArchiveBackup& backup : backups) {
        auto* row = new QTreeWidgetItem(m_list);
        row->setText(0, QString::fromStdString(formatBackupTime(backup.takenAt)));
        row->setText(1, QString::fromStdString(formatGrouped(backup.draws)));
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        row->setText(2, backup.newest ? QString::fromStdString(formatShortDate(*backup.newest)) : QString());
    }
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Wiederherstellen…"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}

std::optional<std::size_t> BackupDialog::chosen() const {
    if (result() != QDialog::Accepted) return std::nullopt;
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0) return std::nullopt;
    return static_cast<std::size_t>(row);
}

} // namespace lotto
