#pragma once

#include <QDialog>

#include <memory>

class ListStatus;
class MyLabel;
class Server;
struct SpecialOfferEntry;

namespace Ui {
class CqDlgSpecials;
}

// The special offers, one card each; an offer with a video has a play label
// that plays it in the shared video player and closes the dialog.
class CqDlgSpecials final : public QDialog
{
    Q_OBJECT

public:
    explicit CqDlgSpecials(QWidget* parent = nullptr);
    ~CqDlgSpecials() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void slt_net_specialoffers(QString reply);
    void slt_net_error(QString message);

private:
    // Plays the video of the play label that sent the click. Not a slot, so
    // that the form's automatic connections do not look for a "video" child.
    void on_video_clciked();
    void addCard(const SpecialOfferEntry& offer);

    std::unique_ptr<Ui::CqDlgSpecials> m_ui;
    Server* m_server;
    ListStatus* m_status;
};
