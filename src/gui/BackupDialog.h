#pragma once

#include "core/archive/ArchiveBackups.h"

#include <QDialog>

#include <optional>
#include <vector>

class QTreeWidget;

namespace lotto {

// "Sicherung wiederherstellen": the kept copies of the archive, newest first, with the time
// each was taken, its number of draws and its newest draw; the newest is preselected.
class BackupDialog : public QDialog {
public:
    BackupDialog(const std::vector<ArchiveBackup>& backups, QWidget* parent);
    // The row chosen, when the dialog was confirmed.
    std::optional<std::size_t> chosen() const;

private:
    QTreeWidget* m_list;
};

} // namespace lotto
