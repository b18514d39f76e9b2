#ifndef MAINMAINWIDGET_H
#define MAINMAINWIDGET_H

#include <QList>
#include <QPointer>
#include <QWidget>

class QPropertyAnimation;

class MainTopWidget;
class GifMenuWidget;
class GifImagesWidget;
class GifVideoWidget;
class LoadingWidget;
class HandOverQueue;

// The one frameless top-level window: title bar, three stacked pages and the busy overlay.
class MainMainWidget : public QWidget
{
    Q_OBJECT

public:
    explicit MainMainWidget(QWidget *parent = nullptr);
    ~MainMainWidget() override;

    // 0 start page, 1 images page, 2 video page; slides the page in or out.
    void switchPage(int page);
    // 1 fades the busy overlay in; any other value fades it out and hides it.
    void showLoading(int show);
    void setLoadingText(const QString &text);
    void centerOnMainWindow(QWidget *w);
    void retranslateAll();
    // Stops whatever job runs, cleans up after it and takes the busy overlay down; no dialog.
    void cancelRunningJob();
    // Opens files handed over from outside: images on the images page (after its tiles, in
    // natural order), else the first GIF in Resolve GIF, else the first video on the video
    // page. What cannot be opened with them is named in one notice. While a dialog or a job
    // is up the files wait, and open with the others that arrive meanwhile once it is gone.
    void openFiles(const QStringList &paths);
    void openWebPage(const QString &base);
    // The address openWebPage opens for a base address.
    QString webPageUrl(const QString &base) const;

    QWidget *backgroundWidget = nullptr;
    MainTopWidget *topWidget = nullptr;
    GifMenuWidget *menuWidget = nullptr;
    GifImagesWidget *imagesWidget = nullptr;
    GifVideoWidget *videoWidget = nullptr;
    LoadingWidget *loadingWidget = nullptr;
    QString languageCode;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    // Stops running jobs and waits for them before the window goes away.
    void closeEvent(QCloseEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // Esc cancels a job, or leaves the images or video page; Ctrl+O imports on the page shown.
    void escapePressed();
    void openFilesNow(const QStringList &paths);
    void openPressed();
    // Stops every page's job; the overlay is left as it is.
    void cancelJobs();
    void setKeyboardOrder();
    QWidget *pageWidget(int page) const;
    bool isOnPage(const QWidget *w) const;
    // Gives the focus to the first tile of a page that Tab reaches.
    void focusFirstTile(QWidget *page);
    // Slides a page between two points; when the slide ends, hideWhenDone is hidden.
    void slidePage(QWidget *page, const QPoint &from, const QPoint &to, QWidget *hideWhenDone);
    // Ends the slides of an older switch, so that they hide nothing the newer one shows.
    void stopPageSlides();
    void fadeLoading(qreal from, qreal to, int duration);
    // Ends a running fade; a fade-out ended this way no longer hides the overlay.
    void stopLoadingFade();

    HandOverQueue *handOvers = nullptr;
    QList<QPointer<QPropertyAnimation>> pageSlides;
    QPointer<QPropertyAnimation> loadingFade;
    // Between showLoading(1) and the next showLoading with another value.
    bool loadingUp = false;
    // Where the keyboard was when the overlay came up over it.
    QPointer<QWidget> focusBeforeLoading;
    // 0 start page, 1 images page, 2 video page: the one the last switch went to.
    int currentPage = 0;
    int dragging = 0;
    int pressX = 0;
    int pressY = 0;
};

// The one main window.
MainMainWidget *mainWindow();

#endif
