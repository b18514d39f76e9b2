#ifndef GIFIMAGESWIDGET_H
#define GIFIMAGESWIDGET_H

#include "app/leftoutnotice.h"
#include "workers/gifjob.h"

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QImage;
class QSize;
class ImageBatchLoader;
class JobOptionsWidget;
class MyTempButton2;
class SizeEstimateLabel;
class ViewImageWidget;

// The Create GIF from Images page: the image strip, "Import Images", "Create GIF",
// the frame-rate box, "Preview", the "Smaller file" option, the job's options, the GIF's
// expected size and "Backup".
// Image files dropped on the page are imported. Leaving with edits of the strip asks first.
class GifImagesWidget : public QWidget
{
    Q_OBJECT

public:
    explicit GifImagesWidget(QWidget *parent = nullptr);
    ~GifImagesWidget() override;

    void initLayout();
    void initStyle();
    void retranslateUi();
    void enterPage();
    // Stops a running import or GIF job and waits for it; its end is not reported.
    void cancelJob();
    // Imports image files after the tiles already there, in natural order (2 before 10), as
    // choosing them with "Import Images" does. paths must not be empty. The files that
    // cannot be read are named when the import ends, after those already in leftOut.
    void importImages(const QStringList &paths, const LeftOutNotice &leftOut = {});
    // True when the page may be left: the strip has no edits, or the user agrees to lose
    // them.
    bool mayLeave();

    ViewImageWidget *viewImageWidget = nullptr;
    MyTempButton2 *addPhotosButton = nullptr;
    MyTempButton2 *createGifButton = nullptr;
    MyTempButton2 *backupmeuButton = nullptr;
    QComboBox *framepsComboBox = nullptr;
    MyTempButton2 *previewButton = nullptr;
    QCheckBox *smallerFileCheckBox = nullptr;
    JobOptionsWidget *jobOptions = nullptr;
    SizeEstimateLabel *sizeEstimateLabel = nullptr;
    // The choices the page's controls make for the next GIF; remembered in the settings.
    GifJobChoices jobChoices;

private slots:
    void addPhotosButton_slots();
    void createGifButton_slots();
    void backupmeuButton_slots();
    void framepsComboBox_slots(int index);
    void previewButton_slots();
    void smallerFileCheckBox_slots(bool on);
    void jobOptions_changed();
    void viewImageWidget_frameRateChanged(int rate);
    void viewImageWidget_framesChanged();
    void NoItemsignal_slots();
    void imageLoader_imageLoaded(const QString &path, const QSize &size,
                                 const QImage &thumbnail, int done, int total);
    void imageLoader_finished();

protected:
    void hideEvent(QHideEvent *event) override;

private:
    void showLoadingCount(int done, int total);
    // The four rates, the rate chosen if it is another, and "Custom…".
    void fillFrameRateBox();
    void askCustomFrameRate();
    // "Create GIF" and "Preview" work while the strip has a tile.
    void enableFrameTiles();
    // The job "Create GIF" would start now, its file aside.
    GifJob nextJob() const;
    // Tells the expected size to follow a change of the strip or of a choice.
    void estimateSize();

    ImageBatchLoader *imageLoader = nullptr;
    LeftOutNotice importLeftOut;
};

#endif
