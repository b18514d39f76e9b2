// The widget kit: the sprite button, the two tiles, the tile looks and the message dialog.
#include "ui/uitesthelpers.h"
#include "widgets/messagequestions.h"
#include "widgets/tilestyle.h"

namespace {

QColor shownColor(const QWidget *w)
{
    const QBrush brush = w->palette().brush(QPalette::Window);
    const QImage picture = brush.texture().toImage();
    return picture.isNull() ? brush.color()
                            : picture.pixelColor(picture.width() / 2, picture.height() / 2);
}

}

class TestWidgetKit : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { uiScale = 1.0f; }

    void pushButtonPicturesAndSignals()
    {
        // A sprite with a red resting cell, a green hover cell and a blue pressed cell.
        QPixmap sprite(82, 60);
        sprite.fill(Qt::black);
        QPainter painter(&sprite);
        painter.fillRect(0, 0, 26, 26, Qt::red);
        painter.fillRect(0, 28, 26, 26, Qt::green);
        painter.fillRect(30, 0, 26, 26, Qt::blue);
        painter.end();
        MyPushButton button;
        QCOMPARE(shownColor(&button), QColor(174, 174, 174));
        button.setButtonGeometry(10, 0, 39, 39);
        button.setNormalRect(0, 0, 26, 26);
        button.setHoverRect(0, 28, 26, 26);
        button.setPressedRect(30, 0, 26, 26);
        button.setDisabledRect(0, 0, 26, 26);
        button.setSprite(sprite);
        button.setButtonMode(3);
        QCOMPARE(button.palette().brush(QPalette::Window).texture().size(), QSize(39, 39));

        QStringList seen; // signals and, after each event, the picture shown
        connect(&button, &MyPushButton::enterButton, [&] { seen << "enter"; });
        connect(&button, &MyPushButton::Pressclicked, [&] { seen << "press"; });
        connect(&button, &MyPushButton::clicked, [&] { seen << "click"; });
        connect(&button, &MyPushButton::leaveButton, [&] { seen << "leave"; });
        seen << shownColor(&button).name();
        sendEvent(&button, QEvent::Enter);
        seen << shownColor(&button).name();
        QTest::mousePress(&button, Qt::LeftButton);
        seen << shownColor(&button).name();
        QTest::mouseRelease(&button, Qt::LeftButton);
        seen << shownColor(&button).name();
        sendEvent(&button, QEvent::Leave);
        seen << shownColor(&button).name();
        // Any button, and a release outside the button, still clicks.
        QTest::mousePress(&button, Qt::RightButton);
        QTest::mouseRelease(&button, Qt::RightButton, Qt::NoModifier, QPoint(200, 200));
        QCOMPARE(seen.join(' '), QStringLiteral("#ff0000 enter #00ff00 press #0000ff click "
                                                "#ff0000 leave #ff0000 press click"));
    }

    void tileLooksAndStates()
    {
        MyTempButton2 tile, bold;
        styleTile(&tile);
        styleTile(&bold, TileLook::Bold);
        QCOMPARE(tile.normalStyle, QStringLiteral("QLabel{border: 1px solid #787878; font-size:13px;color:#ffffff;background-color:#646464;border-radius: 3px;}"));
        QCOMPARE(tile.hoverStyle, QStringLiteral("QLabel{border: 1px solid #888686; font-size:13px;color:#ffffff;background-color:#6e6d6d;border-radius: 3px;}"));
        QCOMPARE(bold.disabledStyle, QStringLiteral("QLabel{border: 1px solid #575656; font-size:13px;color:#b4b4b4;font-weight:700; background-color:#505050;border-radius: 3px;}"));
        QCOMPARE(tile.alignment(), Qt::AlignCenter);

        QSignalSpy clicked(&tile, &MyTempButton2::clicked);
        QStringList looks;
        auto look = [&] {
            looks << (tile.styleSheet() == tile.normalStyle  ? "normal"
                      : tile.styleSheet() == tile.hoverStyle ? "hover"
                      : tile.styleSheet() == tile.disabledStyle ? "disabled" : "?");
        };
        look();
        sendEvent(&tile, QEvent::Enter);
        look();
        sendEvent(&tile, QEvent::Leave);
        look();
        tile.setEnabledStyle(false);
        sendEvent(&tile, QEvent::Enter);
        look();
        QTest::mouseClick(&tile, Qt::LeftButton);
        QCOMPARE(clicked.count(), 0);
        tile.setEnabledStyle(true);
        look();
        QCOMPARE(looks.join(' '), QStringLiteral("normal hover normal disabled normal"));
        // Any button, and a release outside the tile, still clicks.
        QTest::mousePress(&tile, Qt::LeftButton);
        QTest::mouseRelease(&tile, Qt::LeftButton, Qt::NoModifier, QPoint(-50, -50));
        QTest::mouseClick(&tile, Qt::MiddleButton);
        QCOMPARE(clicked.count(), 2);

        uiScale = 1.5f;
        styleTile(&tile);
        QVERIFY(tile.normalStyle.contains("font-size:19px;"));
    }

    void colourTile()
    {
        MyTempButton1 tile;
        tile.setColors("#646464", "#6e6d6d", "#505050");
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
        QTest::addColumn<QString>("expected");
        QTest::newRow("1.0") << 1.0f << "0 0 480 252, 450 10 20 20, 40 60 48 48, 130 70 300 90, "
                                        "110 180 120 35, 250 180 120 35, 180 180 120 35";
        QTest::newRow("1.5") << 1.5f << "0 0 720 378, 675 15 30 30, 60 90 72 72, 150 105 500 135, "
                                        "165 270 180 52, 375 270 180 52, 270 270 180 52";
    }

    void dialogGeometry()
    {
        QFETCH(float, scale);
        uiScale = scale;
        MyMessageDialog dialog;
        dialog.move(0, 0);
        QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
        dialog.setMessage(QStringLiteral("completed, do you want to open the folder?"));
        dialog.setButtonTexts("Cancel", "Open");
        QStringList rects;
        for (QWidget *w : QList<QWidget *>{&dialog, dialog.closeButton, dialog.iconLabel,
                                           dialog.messageLabel, dialog.CancelButton,
                                           dialog.OKButton})
            rects << rectText(w);
        dialog.setSingleButton("OK");
        rects << rectText(dialog.OKButton);
        QTEST(rects.join(", "), "expected");
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
        dialog.setButtonTexts("Cancel", "Open");
        QTimer::singleShot(50, &dialog, [&] {
            if (way == "escape")
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(way == "ok"       ? (QWidget *)dialog.OKButton
                                  : way == "cancel" ? (QWidget *)dialog.CancelButton
                                                    : (QWidget *)dialog.closeButton,
                                  Qt::LeftButton);
        });
        QTimer::singleShot(10000, &dialog, &QDialog::reject);
        dialog.exec();
        QTEST(dialog.okPressed, "ok");
    }

    // The shared questions show the dialog centred over the main window.
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
