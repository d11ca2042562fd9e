#pragma once

#include "core/shell/Host.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lotto {

// The dialogs of an operation answered from the command line: messages go to stderr, file
// dialogs take the file named in the arguments, questions are answered No, except the question
// before a change of the archive: the command is its confirmation.
class CliHost : public Host {
public:
    explicit CliHost(std::ostream& err) : m_err(err) {}

    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    bool askBeforeChange(const std::string&, const std::string&) override { return true; }
    std::string inputBox(const std::string&, const std::string&, const std::string& text) override {
        return text;
    }
    std::optional<std::string> chooseSaveFile(const FileDialogState&) override { return saveFile; }
    std::optional<std::string> chooseOpenFile(const FileDialogState&) override { return openFile; }
    void playSound(const std::string&) override {}
    void openDocument(const std::string&) override {}
    void setBusy(bool) override {}
    void repaint(RepaintArea) override {}
    HttpGet& http() override;
    std::optional<DrawEntry> enterDraw(const DrawEntry&) override { return drawEntry; }
    std::optional<std::size_t> chooseBackup(const std::vector<ArchiveBackup>&) override {
        return backupChoice;
    }

    // The print settings dialog answered from the `ticket` arguments: what is not given
    // keeps the dialog's preset. Without answers the dialog is cancelled.
    struct TicketAnswers {
        std::optional<int> top, left;
        std::optional<bool> sunday, wednesday;
        bool joker = false, joker2 = false, joker3 = false, testImage = false;
    };
    std::optional<TicketSettings> askTicketSettings(const TicketDialogPresets& presets) override;
    void previewTicket(const TicketLayout&) override { ticketPreviewed = true; }
    std::optional<TicketAnswers> ticketAnswers;
    std::string ticketCost; // the cost text as the confirmed dialog showed it
    bool ticketPreviewed = false;

    std::optional<std::string> saveFile;
    std::optional<std::string> openFile;
    std::optional<DrawEntry> drawEntry;      // the entry dialog's answer
    std::optional<std::size_t> backupChoice; // "restore N": N - 1
    // Messages shown so far; an operation that showed one has refused.
    std::vector<std::string> messages;

private:
    std::ostream& m_err;
    std::unique_ptr<HttpGet> m_http; // made by the first download
};

} // namespace lotto
