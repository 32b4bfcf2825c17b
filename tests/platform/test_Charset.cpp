// 8-bit texts to screen text and back through the code page of each Windows
// charset number.
#include <gtest/gtest.h>

#include "platform/Charset.h"

using Piattaforma::TestoACharset;
using Piattaforma::TestoDaCharset;

TEST(Charset, OgniCharsetLaSuaCodePage) {
    const struct {
        int charset;
        unsigned char byte;
        char16_t atteso;
    } casi[] = {
        {0, 0xE8, u'\u00E8'},   {1, 0x80, u'\u20AC'},   {161, 0xE1, u'\u03B1'}, {162, 0xF0, u'\u011F'},
        {177, 0xE0, u'\u05D0'}, {178, 0xC7, u'\u0627'}, {186, 0xE0, u'\u0105'}, {204, 0xE0, u'\u0430'},
        {238, 0xB9, u'\u0105'}, {222, 0xA1, u'\u0E01'},
        {2, 0xE8, u'\u00E8'},   // no mapping: the default code page
        {-1, 0xE8, u'\u00E8'},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.charset);
        const std::string byte{'A', static_cast<char>(c.byte), 'z'};
        const QString atteso = QString("A") + QChar(c.atteso) + "z";
        EXPECT_EQ(TestoDaCharset(byte, c.charset), atteso);
        EXPECT_EQ(TestoACharset(atteso, c.charset), byte);
    }
}

TEST(Charset, TestiSpeciali) {
    EXPECT_EQ(TestoDaCharset("", 1), "");
    EXPECT_EQ(TestoACharset("", 204), "");
    // A NUL and plain ASCII pass as they are.
    const std::string conNul("a\0b", 3);
    EXPECT_EQ(TestoDaCharset(conNul, 1).size(), 3);
    EXPECT_EQ(TestoACharset(TestoDaCharset(conNul, 1), 1), conNul);
    // Every byte of a long text survives the way there and back.
    std::string tutti;
    for (int i = 0; i < 4096; ++i) tutti += static_cast<char>(0x20 + i % 0x5F);
    EXPECT_EQ(TestoACharset(TestoDaCharset(tutti, 161), 161), tutti);
}

TEST(Charset, CarattereSenzaPostoDiventaUnSoloPuntoInterrogativo) {
    // Greek alpha has no place in the Western code page; the rest stays.
    EXPECT_EQ(TestoACharset(QString("a") + QChar(u'\u03B1') + "b", 1), "a?b");
    EXPECT_EQ(TestoACharset(QString("x") + QChar(u'\u4E2D'), 1252), "x?");
}
