#pragma once

#include "core/import/ImportSession.h"

namespace lotto {

class MainState;

// The window state as the imports see it: the controls they read and write, the HTTP
// client of the face, and the evaluation that ends an import.
class StateImportWindow : public ImportWindow {
public:
    explicit StateImportWindow(MainState& state) : m_state(state) {}

    std::string proxyHost() const override;
    std::string proxyPort() const override;
    std::string downloadFile() const override;
    std::string archivePath() const override;
    HttpGet& http() override;
    void setButton1Enabled(bool enabled) override;
    void setStatus(const std::string& text) override;

    DayNumber today() override;
    DayNumber pickerDate() const override;
    void setPickerDate(DayNumber day) override;
    void setLastStoredDate(DayNumber day) override;
    void setImportRunning(bool running) override;
    bool stopButtonVisible() const override;
    void showParsedDraw(const std::string& caption, const std::string& digitSum) override;
    void setProgress(int done, int total) override;
    void importFinished() override;

private:
    MainState& m_state;
};

} // namespace lotto
