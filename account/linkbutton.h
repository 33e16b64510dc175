#pragma once

#include <QPushButton>

// A flat button drawn as an underlined link. Its text is painted literally:
// an "&" shows as an ampersand instead of marking a keyboard shortcut.
class LinkButton final : public QPushButton
{
    Q_OBJECT

public:
    explicit LinkButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
