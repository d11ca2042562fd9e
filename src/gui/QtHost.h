#pragma once

#include "HttpClient/HttpClientGet.h"
#include "core/shell/Host.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QSoundEffect;

namespace lotto {

class TForm4;
class TForm5;

// The window's side of the operations: Qt message boxes and dialogs, the busy cursor,
// sound through Qt Multimedia, links through the desktop's default handler. Tests derive
// from it and answer the dialogs themselves.
class QtHost : public Host {
public:
    QtHost();
    ~QtHost() override;

    void setParentWidget(QWidget* parent) { m_parent = parent; }
    // Called at the operations' repaint points; the window refreshes and paints there.
    void setRepaintHandler(std::function<void(RepaintArea)> handler) { m_repaint = std::move(handler); }
    // Called before a message box opens, so it stands over the window as the operation left it.
    void setBeforeMessageHandler(std::function<void()> handler) { m_beforeMessage = std::move(handler); }

    void showMessage(const std::string& text) override;
    virtual void showError(const std::string& text);
    bool askYesNo(const std::string& text, const std::string& caption) override;
    bool askBeforeChange(const std::string& text, const std::string& caption) override;
    std::optional<std::size_t> chooseBackup(const std::vector<ArchiveBackup>& backups) override;
    std::string inputBox(const std::string& caption, const std::string& prompt,
                         const std::string& text) override;
    std::optional<std::string> chooseSaveFile(const FileDialogState& dialog) override;
    std::optional<std::string> chooseOpenFile(const FileDialogState& dialog) override;
    void playSound(const std::string& soundFile) override;
    void openDocument(const std::string& urlOrPath) override;
    void setBusy(bool busy) override;
    void repaint(RepaintArea area) override;
    HttpGet& http() override { return m_http; }
    std::optional<DrawEntry> enterDraw(const DrawEntry& preset) override;
    std::optional<TicketSettings> askTicketSettings(const TicketDialogPresets& presets) override;
    void previewTicket(const TicketLayout& layout) override;

    // The ticket forms made at start-up; without them the host makes its own on first use.
    void setTicketForms(TForm4* print, TForm5* settings);
    TForm4* ticketPrintForm();
    TForm5* ticketSettingsForm();

protected:
    QWidget* parentWidget() const { return m_parent; }

private:
    QPointer<QWidget> m_parent;
    std::function<void(RepaintArea)> m_repaint;
    std::function<void()> m_beforeMessage;
    std::unique_ptr<QSoundEffect> m_sound;
    bool m_soundChecked = false;
    HttpClientGet m_http;
    QPointer<TForm4> m_form4;
    QPointer<TForm5> m_form5;
};

// Turns a dialog filter "Tippdatei|*.qtp" into Qt's "Tippdatei (*.qtp)".
QString qtFileFilter(const std::string& filter);

} // namespace lotto
