// The help boxes: titles, texts with their blanks and single carriage
// returns, and which box and focus each "?" button gives.
#include "Corvinet/Aides.h"

#include <gtest/gtest.h>

using corvinet::Champ;
using corvinet::FamilleAide;

TEST(Aides, TitlesOfTheFourteenBoxes)
{
    const char* titres[] = {"Height (asl) - Computer Time ?", " COM Port ?", " Input ?", " Speed control ?",
                            " Drive Hysteresis ?", " Endstop ?", " Format - Range - Unit ?", " Parking ?",
                            " Offset ?", " Parking - Endstop ?", " Format - Range - Unit ?", " Parking ?",
                            "Format - Range - Offset ?", " - HELP -"};
    for (int i = 1; i <= 14; ++i) EXPECT_EQ(corvinet::boiteAide(i).titre, QString::fromLatin1(titres[i - 1])) << i;
}

TEST(Aides, TextsKeepBlanksAndSingleCarriageReturns)
{
    EXPECT_EQ(corvinet::boiteAide(1).texte,
              QString("- Computer Time : UTC +/- the time offset\r     between UTC and Computer Time"));
    EXPECT_EQ(corvinet::boiteAide(5).texte,
              QString::fromLatin1("- Stop  : The drive stops when the angle\r     between antenna and target\r"
                                  "     is greather than this value\r\r- Start : The drive starts when the angle\r"
                                  "     between target and antenna\r     is greather than this value\r\r"
                                  "- Start>Stop ; 0 <Start,Stop< 10 \r       Ex: Stop=0.4\xb0,Start=0.8\xb0\r\r"
                                  "- Start-Stop = hysteresis (dead zone)"));
    EXPECT_EQ(corvinet::boiteAide(14).texte,
              QString("Use the '' Tabulation '' Key \ror the Mouse to move from\rbox to box\r\r"
                      "Click on '' ? '' to obtain \r a Specific Help !!! "));
    EXPECT_EQ(corvinet::boiteAide(3).texte.split('\r').last(),
              QString::fromLatin1("     Polar : Range (90 to 400\xb0) Offset (-180 to +180\xb0)"));
    // Box 4 has four paragraphs; boxes 7 and 11 differ in their unit line only.
    EXPECT_EQ(corvinet::boiteAide(4).texte.count("\r\r"), 3);
    EXPECT_EQ(corvinet::boiteAide(4).texte.split('\r').size(), 22);
    QString sept = corvinet::boiteAide(7).texte;
    sept.replace("- Unit : Select the unit of the encoder.", "- Unit : Select the unit of your encoder");
    EXPECT_EQ(sept, corvinet::boiteAide(11).texte);
    EXPECT_NE(corvinet::boiteAide(7).texte, corvinet::boiteAide(11).texte);
    for (int i = 1; i <= 14; ++i) {
        EXPECT_FALSE(corvinet::boiteAide(i).texte.contains('\n')) << i;
        EXPECT_FALSE(corvinet::boiteAide(i).texte.contains("\r\r\r")) << i;
    }
}

TEST(Aides, ButtonsGiveTheirBoxAndFocus)
{
    struct Cas {
        FamilleAide f;
        int index;
        int boite;
        Champ focus;
    };
    const Cas cas[] = {
        {FamilleAide::Generale, 0, 1, Champ::DecHor},   {FamilleAide::Interface, 0, 2, Champ::PortCom},
        {FamilleAide::Interface, 1, 3, Champ::Range8b}, {FamilleAide::Interface, 2, 4, Champ::AutoVit},
        {FamilleAide::Tracking, 0, 5, Champ::AzimOn},   {FamilleAide::Tracking, 1, 6, Champ::ButeeG},
        {FamilleAide::Tracking, 2, 7, Champ::RangAz},   {FamilleAide::Tracking, 3, 8, Champ::ParkAz},
        {FamilleAide::Tracking, 4, 9, Champ::OffAz},    {FamilleAide::Tracking, 5, 5, Champ::ElevOn},
        {FamilleAide::Tracking, 6, 10, Champ::ButeeB},  {FamilleAide::Tracking, 7, 11, Champ::RangEl},
        {FamilleAide::Tracking, 8, 12, Champ::ParkEl},  {FamilleAide::Tracking, 9, 13, Champ::OffEl},
    };
    for (const Cas& c : cas) {
        const corvinet::BoutonAide* b = corvinet::boutonAide(c.f, c.index);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->boite, c.boite);
        EXPECT_EQ(b->focus, c.focus);
    }
    EXPECT_EQ(corvinet::boutonAide(FamilleAide::Tracking, 10), nullptr);
}
