#include "tools/MeteorShowers.h"

// Figures are taken from published shower lists, row by row; docs/planner.md says which list
// gave which row. The four major showers carry the figures the program has always shown. The
// IMO Working List of Visual Meteor Showers (2006 Calendar, Table 5) gives the delta-Cancrids,
// alpha-Centaurids, delta-Leonids, gamma-Normids, Virginids, Lyrids, pi-Puppids, eta-Aquarids
// and the June Bootid and Pegasid radiants; the IMO Calendars' shower notes (2004, 2020) and
// monthly lists copied from the IMO list give most July-December showers; the RASC Observer's
// Handbook list gives the June-July minor showers; Kronk's Meteor Showers, the Dutch Meteor
// Society list and single-shower articles give some southern ones. No published list at hand
// confirms the alpha-Hydrids, delta-Velids, omicron-Centaurids, February Leonids, Librids,
// alpha-Bootids, omega-Capricornids, alpha-Scorpiids, beta-Coronae Australids,
// sigma-Capricornids, pi-Eridanids, gamma-Doradids, Aries-Triangulids, Piscids,
// kappa-Aquarids, October Arietids, Leo Minorids, delta-Eridanids and zeta-Puppids: their
// figures remain unconfirmed. A zenithal hourly rate of 0 marks a variable shower.

namespace vsp {

const std::array<MeteorShower, kMeteorShowerCount>& MeteorShowerTable() {
    // name, code, start day and month, end day and month, maximum day and month, radiant RA
    // (hundredths of an hour) and Dec (degrees), velocity (km/s), ZHR, class.
    static const std::array<MeteorShower, kMeteorShowerCount> kTable = {{
    {"Quadrantids", "QUA", 1, 1, 5, 1, 3, 1, 1533, 49, 41, 120, ShowerClass::Major},
    {"Gamma Velids", "GVE", 1, 1, 17, 1, 5, 1, 827, -47, 35, 2, ShowerClass::Minor},
    {"Alpha Crucids", "ACR", 6, 1, 28, 1, 15, 1, 1280, -63, 50, 3, ShowerClass::Minor},
    {"Delta Cancrids", "DCA", 1, 1, 24, 1, 17, 1, 867, 20, 28, 4, ShowerClass::Minor},
    {"Alpha Hydrids", "AHY", 15, 1, 7, 2, 20, 1, 907, -12, 44, 2, ShowerClass::Minor},
    {"Alpha Carinids", "ACA", 24, 1, 9, 2, 30, 1, 633, -54, 25, 2, ShowerClass::Minor},
    {"Delta Velids", "DVE", 22, 1, 21, 2, 29, 1, 847, -50, 35, 1, ShowerClass::Minor},
    {"Alpha Centaurids", "ACE", 28, 1, 21, 2, 8, 2, 1400, -59, 56, 6, ShowerClass::Medium},
    {"Omicron Centaurids", "OCE", 31, 1, 19, 2, 11, 2, 1180, -56, 51, 2, ShowerClass::Minor},
    {"Theta Centaurids", "TCN", 23, 1, 12, 3, 14, 2, 1400, -40, 60, 4, ShowerClass::Minor},
    {"February Leonids", "FLE", 1, 2, 28, 2, 10, 2, 1067, 10, 30, 2, ShowerClass::Minor},
    {"Delta Leonids", "DLE", 15, 2, 10, 3, 24, 2, 1120, 16, 23, 2, ShowerClass::Minor},
    {"Gamma Normids", "GNO", 25, 2, 22, 3, 13, 3, 1660, -51, 56, 6, ShowerClass::Minor},
    {"Virginids", "VIR", 25, 1, 15, 4, 24, 3, 1300, -4, 30, 5, ShowerClass::Variable},
    {"Delta Pavonids", "DPA", 11, 3, 16, 4, 6, 4, 2053, -63, 60, 5, ShowerClass::Minor},
    {"Librids", "LIB", 15, 4, 30, 4, 20, 4, 1500, -18, 30, 2, ShowerClass::Minor},
    {"Lyrids", "LYR", 16, 4, 25, 4, 22, 4, 1807, 34, 49, 18, ShowerClass::Medium},
    {"Pi Puppids", "PPU", 15, 4, 28, 4, 23, 4, 733, -45, 18, 0, ShowerClass::Variable},
    {"Alpha Bootids", "ABO", 14, 4, 12, 5, 28, 4, 1453, 19, 20, 2, ShowerClass::Minor},
    {"Mu Virginids", "MVI", 1, 4, 12, 5, 24, 4, 1527, -7, 30, 2, ShowerClass::Minor},
    {"Omega Capricornids", "OCP", 19, 4, 15, 5, 7, 5, 2080, -26, 25, 2, ShowerClass::Minor},
    {"Eta Aquarids", "ETA", 19, 4, 28, 5, 6, 5, 2253, -1, 66, 60, ShowerClass::Major},
    {"Alpha Scorpiids", "ASC", 11, 4, 12, 5, 3, 5, 1600, -22, 35, 5, ShowerClass::Minor},
    {"Beta Corona Aust.", "BCA", 23, 4, 30, 5, 16, 5, 1893, -40, 45, 3, ShowerClass::Minor},
    {"Omega Scorpiids", "OSC", 23, 5, 15, 6, 2, 6, 1613, -22, 21, 5, ShowerClass::Minor},
    {"Arietids", "ARI", 22, 5, 2, 7, 7, 6, 293, 24, 38, 30, ShowerClass::Medium},
    {"Sagittarids", "SAG", 1, 6, 15, 7, 19, 6, 1833, -35, 30, 5, ShowerClass::Minor},
    {"Tau Cetids", "TCE", 18, 6, 4, 7, 27, 6, 160, -12, 66, 4, ShowerClass::Minor},
    {"June Bootids", "JBO", 22, 6, 2, 7, 27, 6, 1493, 48, 18, 0, ShowerClass::Variable},
    {"Tau Aquarids", "TAQ", 19, 6, 5, 7, 28, 6, 2280, -12, 63, 7, ShowerClass::Minor},
    {"Theta Ophiuchids", "TOP", 4, 6, 15, 7, 13, 6, 1780, -28, 27, 2, ShowerClass::Minor},
    {"July Pegasids", "JPE", 7, 7, 13, 7, 10, 7, 2267, 15, 70, 3, ShowerClass::Minor},
    {"July Phoenicids", "PHE", 10, 7, 16, 7, 13, 7, 213, -48, 47, 0, ShowerClass::Variable},
    {"Alpha Cygnids", "ACG", 11, 7, 30, 7, 18, 7, 2120, 48, 38, 2, ShowerClass::Minor},
    {"Sigma Capricornids", "SCA", 18, 6, 30, 7, 20, 7, 2000, -15, 30, 4, ShowerClass::Minor},
    {"Pisces Austrinids", "PAU", 15, 7, 10, 8, 28, 7, 2273, -30, 35, 5, ShowerClass::Minor},
    {"South Delta Aquarids", "SDA", 12, 7, 19, 8, 28, 7, 2260, -16, 41, 20, ShowerClass::Medium},
    {"Alpha Capricornids", "CAP", 3, 7, 15, 8, 30, 7, 2047, -10, 23, 4, ShowerClass::Medium},
    {"South Iota Aquarids", "SIA", 25, 7, 15, 8, 4, 8, 2227, -15, 34, 2, ShowerClass::Minor},
    {"North Delta Aquarids", "NDA", 15, 7, 25, 8, 8, 8, 2233, -5, 42, 4, ShowerClass::Minor},
    {"Perseids", "PER", 17, 7, 24, 8, 12, 8, 307, 58, 59, 90, ShowerClass::Major},
    {"Kappa Cygnids", "KCG", 3, 8, 25, 8, 17, 8, 1907, 59, 25, 3, ShowerClass::Minor},
    {"North Iota Aquarids", "NIA", 11, 8, 31, 8, 19, 8, 2180, -6, 31, 3, ShowerClass::Minor},
    {"Pi Eridanids", "PIE", 20, 8, 5, 9, 25, 8, 347, -15, 59, 3, ShowerClass::Minor},
    {"Gamma Doradids", "GDO", 19, 8, 6, 9, 28, 8, 400, -50, 41, 5, ShowerClass::Minor},
    {"Alpha Aurigids", "AUR", 25, 8, 8, 9, 1, 9, 560, 42, 66, 6, ShowerClass::Variable},
    {"September Perseids", "SPE", 5, 9, 21, 9, 9, 9, 320, 40, 64, 5, ShowerClass::Minor},
    {"Aries-Triangulids", "ATR", 9, 9, 16, 9, 12, 9, 213, 29, 35, 3, ShowerClass::Minor},
    {"Piscids", "SPI", 1, 9, 30, 9, 20, 9, 33, 0, 26, 3, ShowerClass::Minor},
    {"Kappa Aquarids", "KAQ", 8, 9, 30, 9, 21, 9, 2260, -2, 16, 3, ShowerClass::Minor},
    {"October Arietids", "OAR", 1, 10, 31, 10, 8, 10, 220, 8, 28, 5, ShowerClass::Minor},
    {"Giacobinids", "GIA", 6, 10, 10, 10, 8, 10, 1747, 54, 20, 0, ShowerClass::Variable},
    {"Delta Aurigids", "DAU", 22, 9, 23, 10, 10, 10, 587, 49, 64, 2, ShowerClass::Minor},
    {"Epsilon Geminids", "EGE", 14, 10, 27, 10, 18, 10, 680, 27, 70, 2, ShowerClass::Minor},
    {"Orionids", "ORI", 2, 10, 7, 11, 21, 10, 633, 16, 66, 20, ShowerClass::Medium},
    {"Leo Minorids", "LMI", 22, 10, 24, 10, 24, 10, 1080, 37, 62, 2, ShowerClass::Minor},
    {"Southern Taurids", "STA", 1, 10, 25, 11, 5, 11, 347, 13, 27, 5, ShowerClass::Medium},
    {"Delta Eridanids", "DER", 10, 10, 10, 11, 27, 10, 367, -1, 31, 2, ShowerClass::Minor},
    {"Northern Taurids", "NTA", 1, 10, 25, 11, 12, 11, 387, 22, 29, 5, ShowerClass::Medium},
    {"Zeta Puppids", "ZPU", 2, 11, 20, 12, 13, 11, 780, -42, 41, 3, ShowerClass::Minor},
    {"Leonids", "LEO", 14, 11, 21, 11, 17, 11, 1020, 22, 71, 0, ShowerClass::Variable},
    {"Alpha Monocerotids", "AMO", 15, 11, 25, 11, 21, 11, 780, 1, 65, 0, ShowerClass::Variable},
    {"Chi Orionids", "XOR", 26, 11, 15, 12, 2, 12, 547, 23, 28, 3, ShowerClass::Minor},
    {"Phoenicids", "PHO", 28, 11, 9, 12, 6, 12, 120, -53, 18, 0, ShowerClass::Variable},
    {"Monocerotids", "MON", 27, 11, 17, 12, 9, 12, 667, 8, 42, 3, ShowerClass::Minor},
    {"Sigma Hydrids", "HYD", 3, 12, 15, 12, 11, 12, 847, 2, 58, 3, ShowerClass::Minor},
    {"Puppid-Velids", "PUP", 1, 12, 15, 12, 7, 12, 820, -45, 40, 10, ShowerClass::Medium},
    {"Geminids", "GEM", 7, 12, 17, 12, 14, 12, 747, 33, 35, 120, ShowerClass::Major},
    {"Coma Berenicids", "COM", 12, 12, 23, 1, 19, 12, 1167, 25, 65, 5, ShowerClass::Minor},
    {"Ursids", "URS", 17, 12, 26, 12, 22, 12, 1447, 76, 33, 10, ShowerClass::Medium},
    }};
    return kTable;
}

}  // namespace vsp
