#pragma once

#include "core/TestSupport.h"
#include "gui/TForm1.h"
#include "settings/QtSettingsStore.h"

#include <QApplication>

#include <filesystem>
#include <functional>
#include <memory>

namespace lotto::test {

// The window's dialogs answered by the test.
class TestHost : public QtHost {
public:
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void showError(const std::string& text) override { errors.push_back(text); }
    bool askYesNo(const std::string& text, const std::string&) override {
        questions.push_back(text);
        return answerYes;
    }
    bool askBeforeChange(const std::string& text, const std::string&) override {
        changeQuestions.push_back(text);
        return answerChange;
    }
    std::optional<std::size_t> chooseBackup(const std::vector<ArchiveBackup>& backups) override {
        offeredBackups = backups.size();
        return backupAnswer;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string& text) override {
        return inputAnswer ? *inputAnswer : text;
    }
    std::optional<std::string> chooseSaveFile(const FileDialogState& dialog) override {
        proposedNames.push_back(dialog.fileName);
        return saveFile;
    }
    std::optional<std::string> chooseOpenFile(const FileDialogState&) override { return openFile; }
    void playSound(const std::string& file) override { sounds.push_back(file); }
    void openDocument(const std::string& target) override { opened.push_back(target); }
    std::optional<DrawEntry> enterDraw(const DrawEntry&) override { return drawEntry; }
    HttpGet& http() override { return httpGet ? *httpGet : QtHost::http(); }
    void beginSearchList(int threshold) override {
        QtHost::beginSearchList(threshold);
        if (onSearchList) onSearchList(*searchList());
    }

    HttpGet* httpGet = nullptr; // the test's server, when it sets one
    std::vector<std::string> messages, errors, questions, changeQuestions, sounds, opened, proposedNames;
    bool answerYes = false;
    bool answerChange = true;
    std::size_t offeredBackups = 0;
    std::optional<std::size_t> backupAnswer;
    std::optional<std::string> inputAnswer, saveFile, openFile;
    std::optional<DrawEntry> drawEntry;
    std::function<void(SearchListDialog&)> onSearchList; // the list as the search opens it
};

// A window on a program directory of its own that holds the real archive.
struct Window {
    TempDir dir;
    QtSettingsStore store;
    FakeClock clock;
    TestHost* host = nullptr;
    std::unique_ptr<TForm1> form;

    explicit Window(bool withArchive = true) {
        if (withArchive) std::filesystem::copy_file(realArchivePath(), dir.file("ZahlenAT.dat"));
        store.clear(); // every test starts as a first start
        open();
    }
    void open() {
        auto testHost = std::make_unique<TestHost>();
        host = testHost.get();
        form = std::make_unique<TForm1>(dir.path(), store, clock, std::move(testHost));
        form->show();
        QApplication::setActiveWindow(form.get()); // focus events need an active window
    }
    void reopen() {
        form->close();
        form.reset();
        open();
    }
    template <class T = QWidget> T* find(const QString& name) const { return form->findChild<T*>(name); }
    template <class T = QWidget> T* find(WindowLabel label) const {
        return find<T>(QString::fromLatin1(designerName(label)));
    }
    int chartBarCount() const; // in WindowFixture.cpp: Qt Charts only where a test asks for it
};

} // namespace lotto::test
