#include <QApplication>

#include <gtest/gtest.h>

// GUI tests run against real widgets, offscreen, inside one application object.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tolvane");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
