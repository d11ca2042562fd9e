#include "core/shell/StateImportWindow.h"

#include "core/shell/MainState.h"

namespace lotto {

std::string StateImportWindow::proxyHost() const {
    return m_state.proxyHostEdit();
}
std::string StateImportWindow::proxyPort() const {
    return m_state.proxyPortEdit();
}
std::string StateImportWindow::downloadFile() const {
    return m_state.fileNameEdit();
}
std::string StateImportWindow::archivePath() const {
    return m_state.archivePath();
}
HttpGet& StateImportWindow::http() {
    return m_state.host().http();
}

void StateImportWindow::setButton1Enabled(bool enabled) {
    m_state.m_button1Enabled = enabled;
}

void StateImportWindow::setStatus(const std::string& text) {
    m_state.setStatusText(0, text);
    m_state.host().repaint(RepaintArea::StatusBar);
}

DayNumber StateImportWindow::today() {
    return m_state.clock().today();
}
DayNumber StateImportWindow::pickerDate() const {
    return m_state.drawDate();
}
void StateImportWindow::setPickerDate(DayNumber day) {
    m_state.setDrawDate(day);
}
void StateImportWindow::setLastStoredDate(DayNumber day) {
    m_state.m_lastStoredDate = day;
}

void StateImportWindow::setImportRunning(bool running) {
    m_state.m_importRunning = running;
    m_state.m_speedButton8Visible = running;
    if (!running) m_state.m_button1Enabled = true;
    m_state.host().repaint(RepaintArea::Window);
}

bool StateImportWindow::stopButtonVisible() const {
    return m_state.speedButton8Visible();
}

void StateImportWindow::showParsedDraw(const std::string& caption, const std::string& digitSum) {
    m_state.setLabelText(WindowLabel::DrawCaption, caption);
    m_state.setLabelText(WindowLabel::DigitSum, digitSum);
}

void StateImportWindow::setProgress(int done, int total) {
    m_state.m_importProgress = {done, total};
    m_state.host().repaint(RepaintArea::Window);
}

void StateImportWindow::importFinished() {
    m_state.setLabelText(WindowLabel::TipPageDraw, m_state.label(WindowLabel::DrawCaption).text);
    m_state.SpeedButton5Click();
    m_state.Komplettcheck();
}

} // namespace lotto
