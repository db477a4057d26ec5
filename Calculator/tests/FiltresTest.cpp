// The box filters and the sky-temperature default.

#include "Calculator/Filtres.h"

#include <gtest/gtest.h>

using namespace brulvane;

TEST(Filtres, AllowedCharactersLengthAndLargestValue) {
    struct Cas {
        Boite boite;
        const char* texte;
        ActionFiltre attendu;
    };
    const Cas cas[] = {
        {Boite::HP_TxPower, "", ActionFiltre::Accepte},
        {Boite::HP_TxPower, "0", ActionFiltre::Accepte},
        {Boite::HP_TxPower, "99999", ActionFiltre::Accepte},
        {Boite::HP_TxPower, "1.2.3", ActionFiltre::Accepte}, // reads as 1.2
        {Boite::HP_TxPower, "123456", ActionFiltre::Refuse},
        {Boite::DP_TxPower, "1a", ActionFiltre::Vide},
        {Boite::DP_TxPower, "-1", ActionFiltre::Vide},
        {Boite::DP_TxPower, " 1", ActionFiltre::Vide},
        {Boite::HP_TxLoss, "9.99", ActionFiltre::Accepte},
        {Boite::DP_RxLoss, "10", ActionFiltre::Refuse},
        {Boite::HP_RxNF, "9.995", ActionFiltre::Refuse}, // too long
        {Boite::Hp_RxLoss, "0", ActionFiltre::Accepte},
        {Boite::DP_RxNF, ",5", ActionFiltre::Vide},
        {Boite::HP_AntGain, "99.99", ActionFiltre::Accepte},
        {Boite::DP_AntGain, "100", ActionFiltre::Refuse},
        {Boite::HP_RxBW, "99999", ActionFiltre::Accepte},
        {Boite::HP_RxBW, "123456", ActionFiltre::Refuse}, // a sixth digit
        {Boite::DP_RxBW, "2.5", ActionFiltre::Vide},     // digits only
        {Boite::SkyTemp, "x", ActionFiltre::Vide},
        {Boite::SkyTemp, "0", ActionFiltre::Accepte},
        {Boite::HP_Frequence, "10368", ActionFiltre::Accepte},
        // A pasted run of digits is refused on its length, never rounded
        // into an integer it does not fit.
        {Boite::HP_Frequence, "99999999999999999999999", ActionFiltre::Refuse},
        {Boite::HP_TxLoss, "99999999999999999999999", ActionFiltre::Refuse},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(FiltreBoite(c.boite, c.texte), c.attendu) << static_cast<int>(c.boite) << " '" << c.texte << "'";
}

TEST(Filtres, SkyTemperatureDefaultByFrequency) {
    EXPECT_EQ(TemperatureCielDefaut(0), "220");
    EXPECT_EQ(TemperatureCielDefaut(144), "220");
    EXPECT_EQ(TemperatureCielDefaut(399), "220");
    EXPECT_EQ(TemperatureCielDefaut(400), "20");
    EXPECT_EQ(TemperatureCielDefaut(999), "20");
    EXPECT_EQ(TemperatureCielDefaut(1000), "5");
    EXPECT_EQ(TemperatureCielDefaut(99999), "5");
    EXPECT_EQ(FrequenceEntiere("10368"), 10368);
    EXPECT_EQ(FrequenceEntiere(""), 0);
}
