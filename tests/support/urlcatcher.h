#ifndef URLCATCHER_H
#define URLCATCHER_H

#include <QList>
#include <QObject>
#include <QUrl>

namespace wiztest {

// Takes the place of the file browser (QDesktopServices::setUrlHandler):
// remembers the folders it was asked to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

} // namespace wiztest

#endif
