#pragma once

#include "core/evaluation/ArchiveSearch.h"

#include <QDialog>
#include <QElapsedTimer>

#include <array>
#include <cstdint>

class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace lotto {

// "Treffer im Archiv": the hits of "Tipps in DB suchen" in one sortable table that fills while
// the search runs. "Stopp" and Escape end the search; the table stays to be read and copied.
class SearchListDialog : public QDialog {
    Q_OBJECT
public:
    SearchListDialog(int threshold, QWidget* parent);

    // One more hit; false once the user stopped the search.
    bool add(const TipSearchHit& hit);
    void finish(std::int64_t found, bool stopped);
    bool running() const { return m_running; }
    QStandardItemModel* model() const { return m_model; }
    // The table as tab-separated text with a heading line, as "Kopieren" puts it on the clipboard.
    QString tableText() const;

protected:
    void reject() override;

private:
    void showCounts();

    QTableView* m_table = nullptr;
    QStandardItemModel* m_model = nullptr;
    QLabel* m_counts = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_close = nullptr;
    std::array<std::int64_t, kSearchedTips> m_perTip{};
    bool m_running = true;
    bool m_stopRequested = false;
    QString m_endText;
    QElapsedTimer m_pump;
};

} // namespace lotto
