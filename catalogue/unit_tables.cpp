#include "catalogue/unit_tables.h"

namespace catalogue::tables {
namespace {

constexpr std::string_view kFighterKfm = "Art/Units/Fighter/Fighter.kfm";
constexpr std::string_view kBomberKfm = "Art/Units/Bomber/Bomber.kfm";
constexpr std::string_view kJetFighterKfm = "Art/Units/JetFighter/JetFighter.kfm";
constexpr std::string_view kStealthBomberKfm = "Art/Units/StealthBomber/StealthBomber.kfm";
constexpr std::string_view kGunshipKfm = "Art/Units/Gunship/GunShip.kfm";
constexpr std::string_view kMissileKfm = "Art/Units/Guided_Missile/Guided_Missile.kfm";
constexpr std::string_view kTransportKfm = "Art/Units/Transport/Transport.kfm";
constexpr std::string_view kDestroyerKfm = "Art/Units/Destroyer/Destroyer.kfm";
constexpr std::string_view kBattleshipKfm = "Art/Units/Battleship/Battleship.kfm";
constexpr std::string_view kCarrierKfm = "Art/Units/Carrier/Carrier.kfm";
constexpr std::string_view kSubmarineKfm = "Art/Units/Submarine/Submarine.kfm";
constexpr std::string_view kMissileCruiserKfm = "Art/Units/Missile_Cruiser/Missile_Cruiser.kfm";
constexpr std::string_view kTankKfm = "Art/Units/Tank/Tank.kfm";
constexpr std::string_view kModernArmorKfm = "Art/Units/ModernArmor/ModernArmor.kfm";
constexpr std::string_view kMechInfantryKfm = "Art/Units/MechanizedInfantry/MechanizedInfantry.kfm";
constexpr std::string_view kInfantryKfm = "Art/Units/Infantry/Infantry.kfm";
constexpr std::string_view kHorseArcherKfm = "Art/Units/HorseArcher/HorseArcher.kfm";
constexpr std::string_view kMobileArtilleryKfm = "Art/Units/MobileArtillery/MobileArtillery.kfm";
constexpr std::string_view kMobileSamKfm = "Art/Units/MobileSam/MobileSam.kfm";

constexpr NewUnitRow kAir[] = {
    {"AV_Biplane", "Биплан-истребитель", kFighterKfm, {Class("UNITCLASS_FIGHTER")}},
    {"AV_BiplaneBomber", "Биплан-бомбардировщик", kBomberKfm, {Class("UNITCLASS_BOMBER")}},
    {"AV_Early_JetFighter",
     "Ранний реактивный истребитель",
     kJetFighterKfm,
     {Class("UNITCLASS_JET_FIGHTER")}},
    {"AV_Early_Incepter", "Ранний истребитель-перехватчик", kJetFighterKfm, {Row(5)}},
    {"AV_Incepter", "Истребитель-перехватчик", kJetFighterKfm, {Row(6)}},
    {"AV_Future_Incepter", "Усовершенствованный истребитель-перехватчик", kJetFighterKfm, {}},
    {"AV_FutureFighter", "Усовершенствованный реактивный истребитель", kJetFighterKfm, {}},
    {"AV_AVFL", "Истребитель СВВП", kJetFighterKfm, {Row(9)}},
    {"AV_Future_AVFL", "Усовершенствованный истребитель СВВП", kJetFighterKfm, {}},
    {"AV_Attack", "Штурмовик/Палубный бомбардировщик", kFighterKfm, {Row(11)}},
    {"AV_Early_Attack", "Ранний реактивный штурмовик", kJetFighterKfm, {Row(12)}},
    {"AV_JetAttack", "Реактивный штурмовик", kJetFighterKfm, {}},
    {"AV_Jet_Bomber",
     "Реактивный бомбардировщик",
     kStealthBomberKfm,
     {Class("UNITCLASS_STEALTH_BOMBER")}},
    {"AV_GydroPlane", "Гидросамолет", kFighterKfm, {Row(8)}},
    {"AV_ASAirplane", "Базовый противолодочный самолет", kStealthBomberKfm, {}},
    {"AV_DAS_Airplane",
     "Палубный противолодочный самолет",
     kFighterKfm,
     {Row(15), Row(17), Row(11)}},
    {"AV_ASHellicopter", "Палубный противолодочный вертолет", kGunshipKfm, {}},
    {"AV_Early_reconnaissance_airplane", "Ранний самолет-разведчик", kBomberKfm, {Row(19)}},
    {"AV_reconnaissance_airplane", "Самолет-разведчик", kStealthBomberKfm, {Row(20)}},
    {"AV_reconnaissance_airplane_3M",
     "Усовершенствованный самолет-разведчик",
     kStealthBomberKfm,
     {}},
    {"AV_bpla", "БПЛА", kMissileKfm, {}},
    {"AV_AWACS", "Самолет ДРЛО", kStealthBomberKfm, {}},
    {"AV_Atom_Bomber", "Атомный бомбардировщик", kBomberKfm, {Row(24)}},
    {"AV_Atom_Jet_Bomber", "Атомный реактивный бомбардировщик", kStealthBomberKfm, {Row(25)}},
    {"AV_Atom_Stealth_Bomber", "Атомный стелс бомбардировщик", kStealthBomberKfm, {}},
};

constexpr NewUnitRow kSea[] = {
    {"Navy_Early_transport", "Ранний транспорт", kTransportKfm, {Class("UNITCLASS_TRANSPORT")}},
    {"Navy_Adv_transport", "Улучшенный транспорт", kTransportKfm, {}},
    // The first two targets are the same class.
    {"Navy_Cruiser",
     "Броненосный крейсер",
     kDestroyerKfm,
     {Class("UNITCLASS_DESTROYER"), Class("UNITCLASS_DESTROYER"), Row(8)}},
    {"Navy_Dreadnought", "Эскадренный броненосец", kBattleshipKfm, {Class("UNITCLASS_BATTLESHIP")}},
    {"Navy_HeavyCruiser", "Тяжелый крейсер", kBattleshipKfm, {Row(10)}},
    {"Navy_AntiSub_carrier", "Противолодочный авианосец", kCarrierKfm, {}},
    {"Navy_NewCarrier", "Усовершенствованный авианосец", kCarrierKfm, {}},
    // Only while the diesel-submarine line of development is checked (unit_catalogue.cpp).
    {"Navy_PrivateerSub", "Ранняя ПЛ (рейдерская)", kSubmarineKfm, {Row(13)}},
    {"Navy_AirSub", "Авианесущяя ПЛ (разведовательная)", kSubmarineKfm, {}},
    {"Navy_BPK", "Большой противолодочный корабль", kMissileCruiserKfm, {}},
    {"Navy_repair_ship", "Ремонтное судно", kDestroyerKfm, {}},
    {"Navy_MissileShip", "Малый ракетный корабль", kDestroyerKfm, {}},
    {"Navy_Adv_Sub", "Дизельная ПЛ", kSubmarineKfm, {}},
};

constexpr NewUnitRow kLand[] = {
    {"AV_lightHellicopter", "Легкий вертолет", kGunshipKfm, {}},
    {"AV_Hellicopter", "Транспортный вертолет", kGunshipKfm, {Row(3)}},
    {"AV_HeavyHellicopter", "Тяжелый транспортный вертолет", kGunshipKfm, {}},
    {"TR_early_tank", "Ранний танк", kTankKfm, {Class("UNITCLASS_TANK")}},
    {"TR_adv_tank", "Усовершенствованный танк", kModernArmorKfm, {Class("UNITCLASS_MODERN_ARMOR")}},
    {"TR_fut_tank", "Танк будущего", kModernArmorKfm, {}},
    {"TR_amphibian_tank", "Амфибийный танк", kTankKfm, {Row(8)}},
    {"TR_Early_parachute_tank", "Ранний десантный танк", kModernArmorKfm, {Row(9)}},
    {"TR_parachute_tank", "Десантный танк", kModernArmorKfm, {}},
    {"TR_AT_SAU",
     "ПТ САУ",
     kTankKfm,
     {Class("UNITCLASS_MOBILE_ARTILLERY"), Class("UNITCLASS_MECHANIZED_INFANTRY")}},
    {"TR_bronevik", "Броневик", kMechInfantryKfm, {Row(13)}},
    {"TR_motocicle", "Мотоциклист", kMechInfantryKfm, {Row(15)}},
    {"TR_Ear_Mech_Infantry",
     "Ранняя мотопехота",
     kMechInfantryKfm,
     {Class("UNITCLASS_MECHANIZED_INFANTRY")}},
    {"TR_Adv_Mech_Infantry", "Усовершенствованная мотопехота", kMechInfantryKfm, {}},
    {"TR_ear_gunship", "Ранний боевой вертолет", kGunshipKfm, {Class("UNITCLASS_GUNSHIP")}},
    {"TR_adv_gunship", "Усовершенствованный боевой вертолет", kGunshipKfm, {}},
    {"TR_Medic", "Медик", kInfantryKfm, {}},
    {"TR_saboteur", "Диверсант", kInfantryKfm, {}},
    {"TR_Robber", "Разбойник", kHorseArcherKfm, {Class("UNITCLASS_CUIRASSIER")}},
    {"TR_rocket_launcher", "Мобильная ракетная установка", kMechInfantryKfm, {}},
    {"TR_katusha", "Гвардейский миномет", kMobileArtilleryKfm, {Row(22)}},
    {"TR_MLRM", "Система залпового огня", kMobileArtilleryKfm, {}},
    {"TR_Heavy_Tank", "Тяжелый танк", kTankKfm, {Row(5)}},
    {"TR_Early_AAir", "Зенитная пушка", kMobileSamKfm, {Class("UNITCLASS_SAM_INFANTRY")}},
};

constexpr StandardUnitRow kStandard[] = {
    {"AV_Fighter", "Истребитель", "FIGHTER", kFighterKfm,
     ",Art/Interface/Buttons/Units/Fighter.dds,Art/Interface/Buttons/Unit_Resource_Atlas.dds,6,10"},
    {"AV_Bomber", "Бомбардировщик", "BOMBER", kBomberKfm,
     ",Art/Interface/Buttons/Units/Bomber.dds,Art/Interface/Buttons/Unit_Resource_Atlas.dds,4,10"},
    {"AV_JetFighter", "Реактивный истребитель", "JET_FIGHTER", kJetFighterKfm,
     ",Art/Interface/Buttons/Units/JetFighter.dds,Art/Interface/Buttons/Unit_Resource_Atlas.dds,7,"
     "10"},
    {"AV_Stealth_Bomber", "Стелс-бомбардировщик", "STEALTH_BOMBER", kStealthBomberKfm,
     ",Art/Interface/Buttons/Units/StealthBomber.dds,Art/Interface/Buttons/"
     "Unit_Resource_Atlas.dds,8,10"},
    {"Navy_Destroyer", "Эсминец", "DESTROYER", kDestroyerKfm,
     ",Art/Interface/Buttons/Units/Destroyer.dds,Art/Interface/Buttons/Unit_Resource_Atlas.dds,7,"
     "9"},
    {"Navy_Linkor", "Линкор", "BATTLESHIP", kBattleshipKfm,
     ",Art/Interface/Buttons/Units/Battleship.dds,Art/Interface/Buttons/Unit_Resource_Atlas.dds,2,"
     "10"},
    {"Navy_AntiSub_submarine", "Атакующяя подводная лодка", "ATTACK_SUBMARINE",
     "Art/Units/Nuclear_Sub/Nuclear_Sub.kfm",
     ",Art/Interface/Buttons/Units/ICBM.dds,Art/Interface/Buttons/Beyond_the_Sword_Atlas.dds,4,12"},
    {"Navy_transport", "Транспорт", "TRANSPORT", kTransportKfm,
     ",Art/Interface/Buttons/Units/Transport.dds,Art/Interface/Buttons/Unit_Resource_Atlas.dds,3,"
     "10"},
    {"Navy_Missile_ship", "Ракетный крейсер (рекомендуется заменить*)", "MISSILE_CRUISER",
     kMissileCruiserKfm, ""},
    {"Navy_Missile_submarine", "Ракетная подводная лодка", "SUBMARINE", kSubmarineKfm, ""},
    {"Navy_Carrier", "Ранний авианосец (рекомендуется заменить*)", "CARRIER", kCarrierKfm, ""},
    {"TR_AntiTank", "Противотанковая пехота", "AT_INFANTRY",
     "Art/Units/AntiTankInfantry/WWAntiTankInfantry.kfm",
     ",Art/Interface/Buttons/Units/ICBM.dds,Art/Interface/Buttons/Beyond_the_Sword_Atlas.dds,5,11"},
    {"TR_Mech_Infantry", "Мотопехота", "MECHANIZED_INFANTRY", kMechInfantryKfm,
     ",Art/Interface/Buttons/Units/MechanizedInfantry.dds,Art/Interface/Buttons/"
     "Unit_Resource_Atlas.dds,8,8"},
    {"TR_gunship", "Боевой вертолет (рекомендуется заменить*)", "GUNSHIP", kGunshipKfm, ""},
    {"TR_tank", "Танк", "TANK", kTankKfm,
     ",Art/Interface/Buttons/Units/Tank.dds,Art/Interface/Buttons/Unit_Resource_Atlas.dds,4,11"},
    {"TR_Modern_tank", "Современный танк", "MODERN_ARMOR", kModernArmorKfm,
     ",Art/Interface/Buttons/Units/ModernArmor.dds,Art/Interface/Buttons/Unit_Resource_Atlas.dds,"
     "1,11"},
    {"TR_Mobile_AAir", "Мобильная система ПВО", "MOBILE_SAM", kMobileSamKfm,
     ",Art/Interface/Buttons/Units/ICBM.dds,Art/Interface/Buttons/Beyond_the_Sword_Atlas.dds,6,11"},
    {"TR_Mobile_Artillery", "Мобильная артиллерия", "MOBILE_ARTILLERY", kMobileArtilleryKfm,
     ",Art/Interface/Buttons/Units/ICBM.dds,Art/Interface/Buttons/Beyond_the_Sword_Atlas.dds,7,11"},
};

// Rows 1 to 35 are the game's civilizations, 36 to 56 those the mod adds.
constexpr CivilizationRow kCivs[] = {
    {"RUSSIA", "Россия"},
    {"AMERICA", "США"},
    {"ARABIA", "Арабы"},
    {"AZTEC", "Ацтеки"},
    {"BABYLON", "Вавилон"},
    {"BYZANTIUM", "Византия"},
    {"CARTHAGE", "Карфаген"},
    {"CELTS", "Кельты"},
    {"CHINA", "Китай"},
    {"EGYPT", "Египет"},
    {"ENGLAND", "Англия"},
    {"ETHIOPIA", "Эфиопия"},
    {"FRANCE", "Франция"},
    {"GERMANY", "Германия"},
    {"GREECE", "Греция"},
    {"HOLY_ROMAN", "Священная Римская империя"},
    {"INCA", "Инки"},
    {"INDIA", "Индия"},
    {"JAPAN", "Япония"},
    {"KHMER", "Кхмеры"},
    {"KOREA", "Корея"},
    {"MALI", "Мали"},
    {"MAYA", "Майя"},
    {"MONGOL", "Монголия"},
    {"NATIVE_AMERICA", "Индейцы"},
    {"NETHERLANDS", "Голландия"},
    {"OTTOMANS", "Турция"},
    {"PERSIA", "Персия"},
    {"PORTUGAL", "Португалия"},
    {"ROME", "Рим"},
    {"SPAIN", "Испания"},
    {"SUMERIA", "Шумеры"},
    {"VIKINGS", "Викинги"},
    {"ZULU", "Зулусы"},
    {"BARBARIAN", "Варвары"},
    {"Argentina", "Аргентина"},
    {"Australia", "Австралия"},
    {"Belorus", "Белоруссия"},
    {"Brazil", "Бразилия"},
    {"Canada", "Канада"},
    {"Chile", "Чили"},
    {"Congo", "Конго"},
    {"Cuba", "Куба"},
    {"Denmark", "Дания"},
    {"Finland", "Финляндия"},
    {"Israel", "Израиль"},
    {"Kazakh", "Казахстан"},
    {"Magyar", "Венгрия"},
    {"Mexico", "Мексика"},
    {"NewZealand", "Новая Зеландия"},
    {"Poland", "Польша"},
    {"Romania", "Румыния"},
    {"SouthAfrica", "ЮАР"},
    {"Sweden", "Швеция"},
    {"Ukraine", "Украина"},
    {"Vietnam", "Вьетнам"},
};

static_assert(std::size(kAir) == 25 && std::size(kSea) == 13 && std::size(kLand) == 24);
static_assert(std::size(kStandard) == 18 && std::size(kCivs) == 56);

}  // namespace

std::span<const NewUnitRow> NewUnits(int kind) {
  switch (kind) {
    case 0:
      return kAir;
    case 1:
      return kSea;
    case 2:
      return kLand;
    default:
      return {};
  }
}

std::span<const StandardUnitRow> StandardUnits() { return kStandard; }
std::span<const CivilizationRow> Civilizations() { return kCivs; }

}  // namespace catalogue::tables
