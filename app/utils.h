#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;
class QtMaterialSnackbar;

// The single object behind the settings stores, the device token, messages and
// per-screen backgrounds. Its operations read and write the account state.
class Utils final : public QObject
{
    Q_OBJECT

public:
    static Utils* instance();

    void saveEmail();
    QString loadEmail();
    // The password goes to the platform's secret store (nothing is stored
    // where there is none) and never into a settings file.
    void savePassword();
    // Reads the current member's password without blocking: `done` gets it
    // (empty when none is stored or the store does not answer in time), and
    // currentPassword is set to it unless another member has signed in
    // meanwhile. Never called after `context` is gone.
    void loadPassword(QObject* context, std::function<void(const QString&)> done = {});
    void saveUserId();
    QString loadUserId();

    void setMemberValue(const QString& key, const QString& value);
    QString memberValue(const QString& key);

    void saveTotalCalories();
    int loadTotalCalories();
    void saveRemainCalories();
    int loadRemainCalories();

    QString deviceToken();

    // Queues `text` on the message bar, which shows it over its parent.
    void showMessage(QtMaterialSnackbar* bar, const QString& text);

    // Paints the background picture of screen `key` behind `widget` (and
    // not inside its children; see ScreenBackground): the saved file, or the
    // picture fetched (once) from the entry's URL, or the built-in default
    // when the URL is empty. No entry, or a fetch that fails, leaves the
    // widget as it is. The widget's style sheet is not touched.
    void setBackground(QWidget* widget, int key);

    // Where a fetched background of `key` is saved: "<key>background.png" in
    // the member's picture cache folder.
    static QString backgroundFilePath(int key);

private:
    Utils() = default;
};
