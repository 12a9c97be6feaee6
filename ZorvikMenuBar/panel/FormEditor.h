// SPDX-License-Identifier: MIT
#pragma once

#include <QPlainTextEdit>

// A fixed-height plain-text box with the form's thin rounded border. It reports only the
// user's edits, so showing a state text never echoes back and never disturbs a composition.
class FormEditor final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit FormEditor(int textHeight, QWidget* parent = nullptr);

    // Replaces the shown text only when the state moved away from what this box last showed.
    void showText(const QString& text);
    void setBorderColour(const QColor& colour);

signals:
    void edited(const QString& text);

private:
    QString m_shown;
    bool m_showing = false;
};
