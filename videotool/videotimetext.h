#ifndef VIDEOTIMETEXT_H
#define VIDEOTIMETEXT_H

#include <QString>

// The video form's time fields as text and back, in milliseconds.

// Reads "h:m:s", "m:s" or plain seconds ("90"); the seconds may have up to three decimals
// ("0:02.5"), an empty part counts as 0 ("1::5" is 1 h 0 min 5 s), minutes and seconds
// beyond 59 are taken as they are. False when the text is not such a time.
bool startTextToMs(const QString &text, qint64 *ms);

// Reads seconds with at most two decimals ("1.5"), from 0 to 10000; empty is 0.
bool durationTextToMs(const QString &text, qint64 *ms);

// "hh:mm:ss" (hours beyond 24 kept), with the decimals of a fractional second: "00:00:02.5".
QString startTextFromMs(qint64 ms);

// A clip's length as the page shows it: as startTextFromMs, to the nearest tenth of a
// second ("00:00:03", "00:01:02.5").
QString clipLengthText(qint64 ms);

// Seconds with their decimals, no trailing zeros: 1500 gives "1.5", 90000 gives "90".
QString secondsTextFromMs(qint64 ms);

#endif
