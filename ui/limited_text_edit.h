#pragma once
// A multi-line text field that holds at most a given number of characters, counting a
// line break as two (it travels as CR LF). A keystroke that would go beyond the limit
// is refused; a paste is cut to what still fits.

#include <QPlainTextEdit>

namespace velora::ui {

class LimitedTextEdit final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LimitedTextEdit(QWidget* parent = nullptr) : QPlainTextEdit(parent) {}
    void setMaxLength(int length) { m_maxLength = length; }
    int maxLength() const { return m_maxLength; }
    // Characters as counted against the limit.
    static int countedLength(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    int roomLeft() const;
    int m_maxLength = 0;  // 0 = no limit
};

}  // namespace velora::ui
