#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;

// A widget that reports mouse releases, paints its style sheet and keeps a
// reference to one companion label chosen by its owner. Once something
// listens to clicked() it is a control: it takes the keyboard focus (drawn as
// a focus frame) and Space, Enter and Return click it too. A release it
// reports is not passed on, so a clickable parent does not report it again.
class MyWidget : public QWidget
{
    Q_OBJECT

public:
    explicit MyWidget(QWidget* parent = nullptr);

    void setLabel(QLabel* label);
    // Null once the companion label has been destroyed.
    QLabel* label() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void connectNotify(const QMetaMethod& signal) override;

private:
    QPointer<QLabel> m_label;
};
