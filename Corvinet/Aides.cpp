#include "Corvinet/Aides.h"

#include <QStringList>
#include <vector>

namespace corvinet {

namespace {

// The lines of each box; "" is an empty line (two carriage returns in a row).
const std::vector<std::pair<const char*, std::vector<const char*>>>& tableAides() {
    static const std::vector<std::pair<const char*, std::vector<const char*>>> t = {
        // 1
        {"Height (asl) - Computer Time ?",
         {"- Computer Time : UTC +/- the time offset", "     between UTC and Computer Time"}},
        // 2
        {" COM Port ?",
         {"- COM Port  : It is the serial port used", "     (COM 1 to 4). If port=0 then",
          "     Tracking runs without the interface"}},
        // 3
        {" Input ?",
         {"- 8 bits input : Select the desired measurement ", "     with the button. You can set an offset and a range",
          "     for the 8 bits binary input.", "     Signal : Range (20 to 51 dB) Offset (0 to + 10 dB)",
          "     Polar : Range (90 to 400\xb0) Offset (-180 to +180\xb0)"}},
        // 4
        {" Speed control ?",
         {"- Auto Speed  : Put the relative motor speed (0.2 to 1)",
          "     This value sets the motor speed with a automatic", "     control with the tracking software",
          "     Auto speed = 1 set the max. speed", "",
          "- Decreasing below : Put the angle offset below wich ", "     the motor speed is automatically decreasing",
          "     to the hysteresis stop value (5 to 45\xb0)", "     Ex : 15\xb0 between the source and the antenna", "",
          "- Man. Speed  : Put the relative motor speed (0.2 to 1)", "     This value sets the motor speed with a manual",
          "     control with the arrow keys", "     Man. speed = 1 set the max. speed", "",
          "- Speed control : The interface displays a binary byte",
          "     on the Rx bus proportional to the pointing offset.",
          "     The rotation speed will be regulated by your own", "     proportional speed control interface.",
          "     You can use the interface relays to put on your",
          "     drives (motors) when your are tracking or pointing", "     a source."}},
        // 5
        {" Drive Hysteresis ?",
         {"- Stop  : The drive stops when the angle", "     between antenna and target",
          "     is greather than this value", "", "- Start : The drive starts when the angle",
          "     between target and antenna", "     is greather than this value", "",
          "- Start>Stop ; 0 <Start,Stop< 10 ", "       Ex: Stop=0.4\xb0,Start=0.8\xb0", "",
          "- Start-Stop = hysteresis (dead zone)"}},
        // 6
        {" Endstop ?",
         {"- CCW : Rotate 'Counter Clock Wise'.", "- CW  : Rotate 'Clock Wise'.",
          "     The drive stops when the angle between", "     the antenna and the endstop is null",
          "- 0 <CW,CCW< 360 ", "     Ex: North Hemisphere CW=300\xb0 and CCW=60\xb0"}},
        // 7
        {" Format - Range - Unit ?",
         {"- Format : There are two modes :", "     Binary : 0000 to FFFF(Full range)",
          "     BCD : .1-.8/1-8/10-80/100-800\xb0", "", "- Range  : It is the range of the",
          "     input values for the binary mode", "     Ex: Range = 360", "",
          "- Unit : Select the unit of the encoder.", "     Degrees or Grades", "",
          "- Without stop : the encoder has no ", "     mechanical end stop."}},
        // 8
        {" Parking ?",
         {"- Parking : It is the value of the antenna", "     park position in azimuth",
          "      Ex: CCW <Park< CW  ;  Park=270\xb0"}},
        // 9
        {" Offset ?",
         {"- Offset : It is the value of the position", "     when the interface input is set to nul",
          "     Ex(NH) : CW <Offset< CCW, Offset = 0\xb0"}},
        // 10
        {" Parking - Endstop ?",
         {"- Low : Rotate 'Down'.", "- High: Rotate 'Up'.", "     The drive stops when the angle between",
          "     the antenna and the endstop is null", "- -90 <Low,High< 90 ", "     Ex: Low=-2\xb0 and High=80\xb0"}},
        // 11
        {" Format - Range - Unit ?",
         {"- Format : There are two modes :", "     Binary : 0000 to FFFF(Full range)",
          "     BCD : .1-.8/1-8/10-80/100-800\xb0", "", "- Range  : It is the range of the",
          "     input values for the binary mode", "     Ex: Range = 360", "",
          "- Unit : Select the unit of your encoder", "     Degrees or Grades", "",
          "- Without stop : the encoder has no ", "     mechanical end stop."}},
        // 12
        {" Parking ?",
         {"- Parking : It is the value of the", "     antenna park position in elevation",
          "      Ex: Low <Park< High ; Park=0\xb0"}},
        // 13
        {"Format - Range - Offset ?",
         {"- Offset : It is the value of the position", "     when the interface input is set to nul",
          "    Ex: Offset < Low, Offset = -2\xb0"}},
        // 14
        {" - HELP -",
         {"Use the '' Tabulation '' Key ", "or the Mouse to move from", "box to box", "",
          "Click on '' ? '' to obtain ", " a Specific Help !!! "}},
    };
    return t;
}

} // namespace

BoiteAide boiteAide(int numero) {
    const auto& t = tableAides();
    if (numero < 1 || numero > int(t.size())) return {};
    const auto& [titre, lignes] = t[size_t(numero - 1)];
    QStringList l;
    for (const char* s : lignes) l << QString::fromLatin1(s);
    return {QString::fromLatin1(titre), l.join(QChar(13))};
}

const std::vector<BoutonAide>& boutonsAide() {
    static const std::vector<BoutonAide> b = {
        {FamilleAide::Generale, 0, 0, 1, Champ::DecHor},
        {FamilleAide::Interface, 0, 1, 2, Champ::PortCom},
        {FamilleAide::Interface, 1, 1, 3, Champ::Range8b},
        {FamilleAide::Interface, 2, 1, 4, Champ::AutoVit},
        {FamilleAide::Tracking, 0, 2, 5, Champ::AzimOn},
        {FamilleAide::Tracking, 1, 2, 6, Champ::ButeeG},
        {FamilleAide::Tracking, 2, 2, 7, Champ::RangAz},
        {FamilleAide::Tracking, 3, 2, 8, Champ::ParkAz},
        {FamilleAide::Tracking, 4, 2, 9, Champ::OffAz},
        {FamilleAide::Tracking, 5, 3, 5, Champ::ElevOn},
        {FamilleAide::Tracking, 6, 3, 10, Champ::ButeeB},
        {FamilleAide::Tracking, 7, 3, 11, Champ::RangEl},
        {FamilleAide::Tracking, 8, 3, 12, Champ::ParkEl},
        {FamilleAide::Tracking, 9, 3, 13, Champ::OffEl},
    };
    return b;
}

const BoutonAide* boutonAide(FamilleAide famille, int index) {
    for (const BoutonAide& b : boutonsAide())
        if (b.famille == famille && b.index == index) return &b;
    return nullptr;
}

} // namespace corvinet
