// The name rule of object files.
#include "object/ObjectFileFormat.h"

#include <gtest/gtest.h>

TEST(ObjectFileFormat, NamesWithoutExtensionGetKst)
{
    // No "." after the last delimiter: appended.
    EXPECT_EQ(WithObjectFileExtension(L"C:\\maps\\castle"), L"C:\\maps\\castle.kst");
    EXPECT_EQ(WithObjectFileExtension(L"a.b\\c"), L"a.b\\c.kst");
    EXPECT_EQ(WithObjectFileExtension(L"a.b/c"), L"a.b/c.kst");
    EXPECT_EQ(WithObjectFileExtension(L"C:castle"), L"C:castle.kst");
    EXPECT_EQ(WithObjectFileExtension(L"D.x:castle"), L"D.x:castle.kst");
    EXPECT_EQ(WithObjectFileExtension(L"Замок"), L"Замок.kst");

    // Any extension is kept, even an empty one or a leading dot.
    EXPECT_EQ(WithObjectFileExtension(L"x.dat"), L"x.dat");
    EXPECT_EQ(WithObjectFileExtension(L"C:\\maps\\castle.kst"), L"C:\\maps\\castle.kst");
    EXPECT_EQ(WithObjectFileExtension(L"dir\\castle."), L"dir\\castle.");
    EXPECT_EQ(WithObjectFileExtension(L"dir\\.hidden"), L"dir\\.hidden");
    EXPECT_EQ(WithObjectFileExtension(L"a.tar.gz"), L"a.tar.gz");
}
