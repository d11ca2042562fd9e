#pragma once

#include "HttpClient/HttpClientGet.h"
#include "core/shell/Host.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lotto {

// The dialogs of an operation answered from the command line: messages go to stderr, file
// dialogs take the file named in the arguments, questions are answered No.
class CliHost : public Host {
public:
    explicit CliHost(std::ostream& err) : m_err(err) {}

    void showMessage(const std::string& text) override;
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    std::string inputBox(const std::string&, const std::string&, const std::string& text) override {
        return text;
    }
    std::optional<std::string> chooseSaveFile(const FileDialogState&) override { return saveFile; }
    std::optional<std::string> chooseOpenFile(const FileDialogState&) override { return openFile; }
    void playSound(const std::string&) override {}
    void openDocument(const std::string&) override {}
    void setBusy(bool) override {}
    void repaint(RepaintArea) override {}
    HttpGet& http() override { return m_http; }

    std::optional<std::string> saveFile;
    std::optional<std::string> openFile;
    // Messages shown so far; an operation that showed one has refused.
    std::vector<std::string> messages;

private:
    std::ostream& m_err;
    HttpClientGet m_http;
};

} // namespace lotto
