#include "gui/QtHost.h"

#include "gui/BackupDialog.h"
#include "gui/TForm3.h"
#include "gui/TForm4.h"
#include "gui/TForm5.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMediaDevices>
#include <QMessageBox>
#include <QSoundEffect>
#include <QUrl>

namespace lotto {

QtHost::QtHost() = default;
QtHost::~QtHost() = default;

QString qtFileFilter(const std::string& filter) {
    const QString f = QString::fromStdString(filter);
    const QStringList parts = f.split(QLatin1Char('|'));
    QStringList out;
    // Qt separates the patterns of one entry with blanks; "*.csv;*.txt" would match no file.
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i] + QStringLiteral(" (") +
                   QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
    return out.join(QStringLiteral(";;"));
}

namespace {

// A dialog opened in the middle of a busy operation waits for the user: it shows the normal
// cursor, and the busy one comes back when it closes.
class NormalCursor {
public:
    NormalCursor() : m_active(QApplication::overrideCursor() != nullptr) {
        if (m_active) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor() {
        if (m_active) QApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

private:
    bool m_active;
};

} // namespace

void QtHost::showMessage(const std::string& text) {
    if (m_beforeMessage) m_beforeMessage();
    const NormalCursor normal;
    QMessageBox::information(m_parent, QStringLiteral("Zerbosts Lotto"), QString::fromStdString(text));
}

void QtHost::showError(const std::string& text) {
    if (m_beforeMessage) m_beforeMessage();
    const NormalCursor normal;
    QMessageBox::critical(m_parent, QStringLiteral("Zerbosts Lotto"), QString::fromStdString(text));
}

bool QtHost::askYesNo(const std::string& text, const std::string& caption) {
    const NormalCursor normal;
    return QMessageBox::question(m_parent, QString::fromStdString(caption), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtHost::askBeforeChange(const std::string& text, const std::string& caption) {
    const NormalCursor normal;
    return QMessageBox::question(m_parent, QString::fromStdString(caption), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::size_t> QtHost::chooseBackup(const std::vector<ArchiveBackup>& backups) {
    const NormalCursor normal;
    BackupDialog dialog(backups, m_parent);
    dialog.exec();
    return dialog.chosen();
}

std::string QtHost::inputBox(const std::string& caption, const std::string& prompt, const std::string& text) {
    const NormalCursor normal;
    bool ok = false;
    const QString answer =
        QInputDialog::getText(m_parent, QString::fromStdString(caption), QString::fromStdString(prompt),
                              QLineEdit::Normal, QString::fromStdString(text), &ok);
    return ok ? answer.toStdString() : text;
}

namespace {
std::optional<std::string> withExtension(QString file, const std::string& defaultExt) {
    if (file.isEmpty()) return std::nullopt;
    if (!defaultExt.empty() && QFileInfo(file).suffix().isEmpty())
        file += QLatin1Char('.') + QString::fromStdString(defaultExt);
    return file.toStdString();
}
} // namespace

std::optional<std::string> QtHost::chooseSaveFile(const FileDialogState& dialog) {
    const NormalCursor normal;
    QString proposed = QString::fromStdString(dialog.fileName);
    if (QFileInfo(proposed).isRelative()) proposed = QDir::home().filePath(proposed);
    return withExtension(
        QFileDialog::getSaveFileName(m_parent, QString(), proposed, qtFileFilter(dialog.filter)),
        dialog.defaultExt);
}

std::optional<std::string> QtHost::chooseOpenFile(const FileDialogState& dialog) {
    const NormalCursor normal;
    const QString file = QFileDialog::getOpenFileName(
        m_parent, QString(), QString::fromStdString(dialog.fileName), qtFileFilter(dialog.filter));
    if (file.isEmpty()) return std::nullopt;
    return file.toStdString();
}

void QtHost::playSound(const std::string& soundFile) {
    // Without an audio output QSoundEffect warns and never finishes: stay silent then.
    if (!m_soundChecked) {
        m_soundChecked = true;
        if (!QMediaDevices::audioOutputs().isEmpty()) {
            m_sound = std::make_unique<QSoundEffect>();
            // Beside the program, where it is installed, else the copy built into it.
            const QDir programDir(QApplication::applicationDirPath());
            const QString name = QString::fromStdString(soundFile);
            QUrl source(QStringLiteral("qrc:/sounds/yippee.wav"));
            for (const QString& candidate :
                 {programDir.filePath(name),
                  programDir.filePath(QStringLiteral("../share/zerbosts-lotto/") + name)}) {
                if (QFileInfo::exists(candidate)) {
                    source = QUrl::fromLocalFile(candidate);
                    break;
                }
            }
            m_sound->setSource(source);
        }
    }
    if (!m_sound) return;
    m_sound->stop(); // a new hit cuts off the sound still playing
    m_sound->play();
}

void QtHost::openDocument(const std::string& urlOrPath) {
    const QString target = QString::fromStdString(urlOrPath);
    const QUrl url = target.contains(QStringLiteral("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
    QDesktopServices::openUrl(url); // a failure shows nothing
}

void QtHost::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

std::optional<DrawEntry> QtHost::enterDraw(const DrawEntry& preset) {
    const NormalCursor normal;
    TForm3 form(m_parent);
    form.setEntry(preset);
    form.setSlotVisible(false);
    if (form.exec() != QDialog::Accepted) return std::nullopt;
    return form.entry();
}

void QtHost::repaint(RepaintArea area) {
    if (m_repaint) m_repaint(area);
}

void QtHost::setTicketForms(TForm4* print, TForm5* settings) {
    m_form4 = print;
    m_form5 = settings;
}

TForm4* QtHost::ticketPrintForm() {
    if (!m_form4) m_form4 = new TForm4(m_parent);
    return m_form4;
}

TForm5* QtHost::ticketSettingsForm() {
    if (!m_form5) m_form5 = new TForm5(m_parent);
    return m_form5;
}

std::optional<TicketSettings> QtHost::askTicketSettings(const TicketDialogPresets& presets) {
    const NormalCursor normal;
    TForm5* form = ticketSettingsForm();
    form->preset(presets);
    if (form->exec() != QDialog::Accepted) return std::nullopt;
    return form->settings();
}

void QtHost::previewTicket(const TicketLayout& layout) {
    const NormalCursor normal;
    ticketPrintForm()->preview(layout);
}

} // namespace lotto
