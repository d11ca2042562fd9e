#pragma once

#include <array>
#include <string>

namespace lotto {

// The text of one status-bar panel. The generation shows every candidate it examines; the
// text is kept as numbers and written out only when someone looks, which a run of millions
// of candidates would otherwise spend most of its time on.
class StatusText {
public:
    void set(std::string text) {
        m_text = std::move(text);
        m_pending = false;
    }
    // "t.Tipp:  n1 n2  n3  n4  n5  n6  QS: sum", with the wider QS gaps of tips 2, 3 and 4.
    void setCandidate(int tip, const std::array<int, 6>& numbers, int sum) {
        m_tip = tip;
        m_numbers = numbers;
        m_sum = sum;
        m_pending = true;
    }
    const std::string& text() const {
        if (m_pending) {
            m_text = formatCandidate(m_tip, m_numbers, m_sum);
            m_pending = false;
        }
        return m_text;
    }
    static std::string formatCandidate(int tip, const std::array<int, 6>& numbers, int sum);

private:
    mutable std::string m_text;
    mutable bool m_pending = false;
    int m_tip = 1;
    std::array<int, 6> m_numbers{};
    int m_sum = 0;
};

} // namespace lotto
