#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;

// A widget that reports mouse releases, paints its style sheet and keeps a
// reference to one companion label chosen by its owner.
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
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<QLabel> m_label;
};
