#pragma once

#include "core/archive/ArchiveBackups.h"
#include "core/archive/ArchiveMaintenance.h"
#include "core/import/HttpGet.h"
#include "core/output/TicketLayout.h"
#include "core/util/Dates.h"

#include <optional>
#include <string>
#include <vector>

namespace lotto {

// A file dialog's settings as the window keeps them between uses.
struct FileDialogState {
    std::string defaultExt;
    std::string filter; // "Beschreibung|*.ext"
    std::string fileName;
};

enum class RepaintArea { StatusBar, Window };

// Everything an operation needs from the face it runs in: dialogs, sound, the desktop's
// default handler, the busy cursor and repaint points. The window implements it with Qt,
// lotto-cli with its arguments and streams, the tests with fakes.
class Host {
public:
    virtual ~Host() = default;

    virtual void showMessage(const std::string& text) = 0;
    virtual bool askYesNo(const std::string& text, const std::string& caption) = 0;
    // The question before a step that destroys or replaces stored draws: "Nein" is the
    // default button, so a hasty Enter keeps the archive. lotto-cli answers Yes: there the
    // command itself is the confirmation.
    virtual bool askBeforeChange(const std::string& text, const std::string& caption) {
        return askYesNo(text, caption);
    }
    // A text-input box; Cancel answers with the given text.
    virtual std::string inputBox(const std::string& caption, const std::string& prompt,
                                 const std::string& text) = 0;
    virtual std::optional<std::string> chooseSaveFile(const FileDialogState& dialog) = 0;
    virtual std::optional<std::string> chooseOpenFile(const FileDialogState& dialog) = 0;

    virtual void playSound(const std::string& soundFile) = 0;
    virtual void openDocument(const std::string& urlOrPath) = 0;

    // Balanced calls; nested busy scopes are allowed.
    virtual void setBusy(bool busy) = 0;
    virtual void repaint(RepaintArea area) = 0;

    // The entry dialog "Zahlen der Ziehung eingeben" preset with the given draw: the draw as
    // confirmed with OK, nothing when it was closed otherwise.
    virtual std::optional<DrawEntry> enterDraw(const DrawEntry&) { return std::nullopt; }
    // "Sicherung wiederherstellen…": the kept copies of the archive, newest first; the index
    // of the one chosen, nothing when the dialog was cancelled.
    virtual std::optional<std::size_t> chooseBackup(const std::vector<ArchiveBackup>&) {
        return std::nullopt;
    }

    // The HTTP client's blocking GET; faces without one fail every request.
    virtual HttpGet& http() { return m_noHttp; }

    // The ticket print settings dialog opened with these presets: the confirmed answers, or
    // nothing when it was cancelled. Faces without the dialog cancel.
    virtual std::optional<TicketSettings> askTicketSettings(const TicketDialogPresets&) {
        return std::nullopt;
    }
    // The print preview of the placed ticket layout, from which the user prints.
    virtual void previewTicket(const TicketLayout&) {}

private:
    NoHttpGet m_noHttp;
};

// Shows the busy cursor for the lifetime of the scope.
class BusyScope {
public:
    explicit BusyScope(Host& host) : m_host(host) { m_host.setBusy(true); }
    ~BusyScope() { m_host.setBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Host& m_host;
};

} // namespace lotto
