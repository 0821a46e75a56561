// Test entry: a core application (for the executable's path and resources)
// and fixed number and date conventions.

#include "Locale.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    FormatSettings = TFormatSettings{'.', "dd.MM.yyyy"};
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
