#pragma once

#include <QLabel>

// A label that reports presses (pictures from the web come through LabelPicture).
// Once something listens to clicked() the label is a control: it takes the
// keyboard focus and Space, Enter and Return click it too. A press it reports
// is not passed on, so a clickable parent does not report it a second time.
class MyLabel : public QLabel
{
    Q_OBJECT

public:
    explicit MyLabel(QWidget* parent = nullptr);

    // Switches word wrap on, then shows `text`.
    void setWrappedText(const QString& text);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void connectNotify(const QMetaMethod& signal) override;
};
