// The widget kit: the sprite button, the two tiles, the tile looks and the message dialog.
#include "app/mainmainwidget.h"
#include "app/uiscale.h"
#include "ui/uitesthelpers.h"
#include "widgets/messagequestions.h"
#include "widgets/mymessagedialog.h"
#include "widgets/mypushbutton.h"
#include "widgets/mytempbutton1.h"
#include "widgets/mytempbutton2.h"
#include "widgets/tilestyle.h"

#include <QPainter>

namespace {

// A sprite with a red resting cell, a green hover cell and a blue pressed cell.
QPixmap testSprite()
{
    QPixmap sprite(82, 60);
    sprite.fill(Qt::black);
    QPainter painter(&sprite);
    painter.fillRect(0, 0, 26, 26, Qt::red);
    painter.fillRect(0, 28, 26, 26, Qt::green);
    painter.fillRect(30, 0, 26, 26, Qt::blue);
    return sprite;
}

QColor shownColor(const QWidget *w)
{
    const QBrush brush = w->palette().brush(QPalette::Window);
    if (brush.texture().isNull())
        return brush.color();
    const QImage picture = brush.texture().toImage();
    return picture.pixelColor(picture.width() / 2, picture.height() / 2);
}

}

class TestWidgetKit : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { uiScale = 1.0f; }

    void pushButtonPicturesAndSignals()
    {
        QWidget parent;
        auto *button = new MyPushButton(&parent);
        QCOMPARE(shownColor(button), QColor(174, 174, 174));
        button->setButtonGeometry(10, 0, 39, 39);
        button->setNormalRect(0, 0, 26, 26);
        button->setHoverRect(0, 28, 26, 26);
        button->setPressedRect(30, 0, 26, 26);
        button->setDisabledRect(0, 0, 26, 26);
        button->setSprite(testSprite());
        button->setButtonMode(3);
        QCOMPARE(button->palette().brush(QPalette::Window).texture().size(), QSize(39, 39));
        QCOMPARE(shownColor(button), QColor(Qt::red));

        QStringList signalOrder;
        connect(button, &MyPushButton::enterButton, [&] { signalOrder << "enter"; });
        connect(button, &MyPushButton::Pressclicked, [&] { signalOrder << "press"; });
        connect(button, &MyPushButton::clicked, [&] { signalOrder << "click"; });
        connect(button, &MyPushButton::leaveButton, [&] { signalOrder << "leave"; });
        QList<QColor> pictures;

        sendEvent(button, QEvent::Enter);
        pictures << shownColor(button);
        QTest::mousePress(button, Qt::LeftButton);
        pictures << shownColor(button);
        QTest::mouseRelease(button, Qt::LeftButton);
        pictures << shownColor(button);
        sendEvent(button, QEvent::Leave);
        pictures << shownColor(button);
        QCOMPARE(signalOrder, (QStringList{"enter", "press", "click", "leave"}));
        QCOMPARE(pictures, (QList<QColor>{Qt::green, Qt::blue, Qt::red, Qt::red}));

        // Any button, and a release outside the button, still clicks.
        signalOrder.clear();
        QTest::mousePress(button, Qt::RightButton);
        QTest::mouseRelease(button, Qt::RightButton, Qt::NoModifier, QPoint(200, 200));
        QCOMPARE(signalOrder, (QStringList{"press", "click"}));

        button->setButtonGeometry(0, 0, 20, 24);
        QCOMPARE(button->palette().brush(QPalette::Window).texture().size(), QSize(20, 24));
    }

    void tileLooks()
    {
        MyTempButton2 plain, spaced, bold;
        styleTile(&plain);
        styleTile(&spaced, TileLook::Spaced);
        styleTile(&bold, TileLook::Bold);
        QCOMPARE(plain.normalStyle, QStringLiteral("QLabel{border: 1px solid #787878; font-size:13px;color:#ffffff;background-color:#646464;border-radius: 3px;}"));
        QCOMPARE(plain.hoverStyle, QStringLiteral("QLabel{border: 1px solid #888686; font-size:13px;color:#ffffff;background-color:#6e6d6d;border-radius: 3px;}"));
        QCOMPARE(plain.disabledStyle, QStringLiteral("QLabel{border: 1px solid #575656; font-size:13px;color:#b4b4b4;background-color:#505050;border-radius: 3px;}"));
        QCOMPARE(spaced.normalStyle, QStringLiteral("QLabel{border: 1px solid #787878; font-size:13px;color:#ffffff; background-color:#646464;border-radius: 3px;}"));
        QCOMPARE(bold.disabledStyle, QStringLiteral("QLabel{border: 1px solid #575656; font-size:13px;color:#b4b4b4;font-weight:700; background-color:#505050;border-radius: 3px;}"));
        QCOMPARE(plain.styleSheet(), plain.normalStyle);
        QCOMPARE(plain.alignment(), Qt::AlignCenter);
        QVERIFY(plain.isEnabled());

        uiScale = 1.5f;
        MyTempButton2 large;
        styleTile(&large);
        QVERIFY(large.normalStyle.contains("font-size:19px;"));
    }

    void tileEnabledAndDisabledLooks()
    {
        MyTempButton2 tile;
        styleTile(&tile);
        QSignalSpy clicked(&tile, &MyTempButton2::clicked);
        sendEvent(&tile, QEvent::Enter);
        QCOMPARE(tile.styleSheet(), tile.hoverStyle);
        sendEvent(&tile, QEvent::Leave);
        QCOMPARE(tile.styleSheet(), tile.normalStyle);

        tile.setEnabledStyle(false);
        QCOMPARE(tile.styleSheet(), tile.disabledStyle);
        sendEvent(&tile, QEvent::Enter);
        sendEvent(&tile, QEvent::Leave);
        QCOMPARE(tile.styleSheet(), tile.disabledStyle);
        QTest::mouseClick(&tile, Qt::LeftButton);
        QCOMPARE(clicked.count(), 0);

        sendEvent(&tile, QEvent::Enter);
        tile.setEnabledStyle(true);
        QCOMPARE(tile.styleSheet(), tile.normalStyle);
        QTest::mousePress(&tile, Qt::LeftButton);
        QTest::mouseRelease(&tile, Qt::LeftButton, Qt::NoModifier, QPoint(-50, -50));
        QTest::mouseClick(&tile, Qt::MiddleButton);
        QCOMPARE(clicked.count(), 2);
    }

    void colourTile()
    {
        MyTempButton1 tile;
        QCOMPARE(tile.thirdColor, QStringLiteral("#dadcdd"));
        tile.setColors("#646464", "#6e6d6d", "#505050");
        QVERIFY(tile.autoFillBackground());
        QCOMPARE(shownColor(&tile), QColor("#646464"));
        sendEvent(&tile, QEvent::Enter);
        QCOMPARE(shownColor(&tile), QColor("#6e6d6d"));
        sendEvent(&tile, QEvent::Leave);
        QCOMPARE(shownColor(&tile), QColor("#646464"));
        QSignalSpy clicked(&tile, &MyTempButton1::clicked);
        QTest::mouseClick(&tile, Qt::RightButton);
        QCOMPARE(clicked.count(), 1);
    }

    void dialogGeometry_data()
    {
        QTest::addColumn<float>("scale");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("1.0") << 1.0f
                             << QStringList{"480 252", "450 10 20 20", "40 60 48 48",
                                            "130 70 300 90", "110 180 120 35",
                                            "250 180 120 35", "180 180 120 35"};
        QTest::newRow("1.5") << 1.5f
                             << QStringList{"720 378", "675 15 30 30", "60 90 72 72",
                                            "150 105 500 135", "165 270 180 52",
                                            "375 270 180 52", "270 270 180 52"};
    }

    void dialogGeometry()
    {
        QFETCH(float, scale);
        QFETCH(QStringList, expected);
        uiScale = scale;
        MyMessageDialog dialog;
        QCOMPARE(dialog.windowFlags() & ~Qt::WindowType_Mask,
                 Qt::WindowFlags(Qt::FramelessWindowHint));
        dialog.setMessage(QStringLiteral("completed, do you want to open the folder?"));
        dialog.setButtonTexts("Cancel", "Open");
        QCOMPARE(QStringLiteral("%1 %2").arg(dialog.width()).arg(dialog.height()), expected[0]);
        QCOMPARE(rectText(dialog.closeButton), expected[1]);
        QCOMPARE(rectText(dialog.iconLabel), expected[2]);
        QCOMPARE(rectText(dialog.messageLabel), expected[3]);
        QCOMPARE(rectText(dialog.CancelButton), expected[4]);
        QCOMPARE(rectText(dialog.OKButton), expected[5]);
        QCOMPARE(dialog.OKButton->text(), QStringLiteral("Open"));
        QVERIFY(dialog.messageLabel->wordWrap());
        dialog.setSingleButton("OK");
        QCOMPARE(rectText(dialog.OKButton), expected[6]);
        QVERIFY(dialog.CancelButton->isHidden());
    }

    void dialogAnswers_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("ok");
        QTest::newRow("right tile") << "ok" << true;
        QTest::newRow("left tile") << "cancel" << false;
        QTest::newRow("close button") << "close" << false;
        QTest::newRow("Escape") << "escape" << false;
    }

    void dialogAnswers()
    {
        QFETCH(QString, way);
        MyMessageDialog dialog;
        dialog.setMessage("m");
        dialog.setButtonTexts("Cancel", "Open");
        QTimer::singleShot(50, &dialog, [&] {
            if (way == "ok")
                QTest::mouseClick(dialog.OKButton, Qt::LeftButton);
            else if (way == "cancel")
                QTest::mouseClick(dialog.CancelButton, Qt::LeftButton);
            else if (way == "close")
                QTest::mouseClick(dialog.closeButton, Qt::LeftButton);
            else
                QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QTimer::singleShot(10000, &dialog, &QDialog::reject);
        dialog.exec();
        QTEST(dialog.okPressed, "ok");
    }

    void dialogDrags()
    {
        MyMessageDialog dialog;
        dialog.setMessage("m");
        dialog.move(100, 100);
        QTest::mousePress(&dialog, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        dragTo(&dialog, QPoint(30, 40));
        QTest::mouseRelease(&dialog, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
        QCOMPARE(dialog.pos(), QPoint(120, 130));
        QCOMPARE(dialog.size(), QSize(480, 252));
    }

    void questionsThroughTheMainWindow()
    {
        MainMainWidget window(nullptr);
        window.move(100, 25);
        auto pressRightTile = [] {
            auto *dialog = qobject_cast<MyMessageDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QCOMPARE(dialog->pos(), QPoint(160, 224));
            QTest::mouseClick(dialog->OKButton, Qt::LeftButton);
        };
        QTimer::singleShot(50, pressRightTile);
        QVERIFY(askQuestion("completed, do you want to open the folder?", "Cancel", "Open"));
        QTimer::singleShot(50, pressRightTile);
        showNotice("Failed, Please check the GIF file.", "OK");
    }
};

LUMORRA_UI_TEST_MAIN(TestWidgetKit)

#include "tst_widgetkit.moc"
