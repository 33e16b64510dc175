#pragma once

#include <QString>
#include <QUrlQuery>

// What the download window tells the service when a video is on disk, and
// which store lists show the change.
namespace DownloadReport {

struct Refresh
{
    int productKind = 0; // the store's product tab
    int libraryKind = 3; // its library
};

// WORKOUT 0/3, NUTRITION_VIDEO 6/8, COACHING_VIDEO 11/13; program videos 1/3.
// Another type refreshes the workout videos and library.
Refresh refreshFor(const QString& type, bool programVideo);

// setVideoUri: user_id, video_id, uri (empty), uri1.
QUrlQuery videoFields(const QString& userId, int id, const QString& path);
// setProgramVideoUri: user_id, program_id ("<id>_desktop"), uri1.
QUrlQuery programVideoFields(const QString& userId, int id, const QString& path);

// The service's answer to setVideoUri or setProgramVideoUri.
struct Answer
{
    enum class Outcome {
        Recorded,
        Refused,    // a result_code other than 0
        Unreadable, // not a JSON object with a result_code
    };
    Outcome outcome = Outcome::Unreadable;
    // The service's own words for a refusal, cut to a line's length so a
    // runaway reply cannot flood the window; may be empty.
    QString message;
};
Answer readAnswer(const QString& reply);

} // namespace DownloadReport
