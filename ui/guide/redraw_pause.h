#pragma once
// Holds a list's painting back while a load fills its table, so the list is drawn once
// with all its rows; painting resumes when the pause ends, also when the load throws.

#include <QWidget>

namespace velora::ui {

class RedrawPause {
public:
    explicit RedrawPause(QWidget& widget) : m_widget(widget) {}
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;
    ~RedrawPause() {
        if (m_paused) {
            m_widget.setUpdatesEnabled(true);
            m_widget.update();
        }
    }
    void begin() {
        m_paused = true;
        m_widget.setUpdatesEnabled(false);
    }

private:
    QWidget& m_widget;
    bool m_paused = false;
};

}  // namespace velora::ui
