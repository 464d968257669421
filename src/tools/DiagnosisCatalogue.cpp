#include "tools/DiagnosisCatalogue.h"

namespace diagnosis {

namespace {

// Each description opens with the sentence the keeper has always read for its
// title; the advice after it says what to check, what to do first and when to
// ask a veterinarian or an experienced dealer.

const char* const kDropsy =
    "Your fish probably has a disease called \"DROPSY\" which is often caused by a bacterial infection. "
    "The scales stand out because fluid is gathering in the body, a sign that the kidneys or other organs "
    "are failing, so the outlook is poor once the scales are raised. Test ammonia, nitrite, nitrate, pH, "
    "salinity and temperature first and correct what is wrong with partial water changes. Move the fish to "
    "a hospital tank so that it is not picked on and the display is not dosed. Antibiotics may work, but the "
    "right one is hard to choose without knowing the germ: ask a veterinarian or an experienced dealer "
    "before you medicate, and ask early, as treatment only has a chance in the first days. ";

const char* const kPopeye =
    "Your fish probably has a condition called \"POP EYE\" which is usually a reaction to some sort of "
    "stress - (i.e. poor water conditions, high ammonia, nitrite, or nitrate levels). "
    "Antibiotics, Tetracycline among them, do not always work; improving the water is the best cure. Test "
    "the water, make partial water changes until ammonia and nitrite read zero and nitrate is low, and look "
    "for a knock against rocks or the glass if only one eye is affected. The fish usually goes on behaving "
    "normally, but left untreated the eye may go blind or even burst. If the eye is still swollen after a "
    "week of good water, or looks cloudy or bloody, consult a veterinarian or an experienced dealer before "
    "medicating.";

const char* const kDiarrhoea =
    "Your fish probably has \"DIARRHOEA\" which is usually caused by poor diet, improperly prepared or "
    "rotten food. "
    "A new fish may have picked it up in the dealer's holding tanks or during shipping. Feed small amounts "
    "of fresh or properly thawed food, never food that smells or has been thawed twice, and try foods higher "
    "in roughage such as marine algae. Remove leftovers after a few minutes and keep the water clean. It is "
    "seldom fatal, but long, white, stringy feces with weight loss can mean internal parasites: ask a "
    "veterinarian or an experienced dealer about feeding and about a treatment if it lasts more than a week.";

const char* const kFinRot =
    "Your fish probably has a condition called \"FIN-ROT\", a bacterial infection that is usually (but not "
    "always) associated with poor water conditions. "
    "Test ammonia, nitrite, nitrate and pH, and look for overcrowding, overfeeding or a dirty filter. Where "
    "the water is poor, make a partial water change first and keep changing water until it tests well; mild "
    "fin rot often heals with clean water alone. If the rot still spreads, or reaches the base of a fin, "
    "treat the fish in a hospital tank with an antibiotic suited to marine fish, following the maker's "
    "directions, and ask a veterinarian or an experienced dealer which one to use.";

const char* const kBacterialInfection =
    "Your fish probably has some sort of BACTERIAL INFECTION. "
    "It is often tied to poor water: test ammonia, nitrite, nitrate, pH and salinity and correct them "
    "first. Such infections look red, sometimes swollen, and may come together with parasites or fungus, so "
    "look the fish over closely. Make a partial water change, then treat in a hospital tank with an "
    "antibiotic suited to marine fish; a remedy for parasites may be needed as well. Never mix medicines on "
    "your own, and consult a veterinarian or an experienced dealer before treating, or at once if the fish "
    "stops eating or the redness spreads.";

const char* const kLymphocyctis =
    "Your fish may have a form of \"LYMPHOCYCTIS\" which is a viral infection which causes the "
    "\"cauliflower\" looking lumps you see. "
    "Viral infections are hard to diagnose and there is no medicine that cures them, but this one is rarely "
    "fatal and the lumps often fall away by themselves within weeks or months. Stress lets it take hold: "
    "check the water, change it if needed, feed a varied diet and keep the fish away from aggressive "
    "tankmates. Do not cut the lumps off. If a lump blocks the mouth or gills, or the fish stops eating, "
    "consult a veterinarian or an experienced dealer. ";

const char* const kFinNipping =
    "It sounds like your fish's fin may have been nipped by a tankmate, or may have been damaged in shipping "
    "or handling particularly if the fish is new. "
    "A torn fin usually grows back by itself in good water if the fish is not harassed. Watch the tank for "
    "a while to see who is chasing whom, and be ready to remove the bully or the victim: this may be a sign "
    "that the animals are not compatible. Keep the water clean and watch the edges of the wound; if they "
    "turn white, ragged or red, fin rot or another infection has set in, and you should consult a "
    "veterinarian or an experienced dealer.";

const char* const kUnableToDiagnose =
    "Unfortunately, your problem seems to be outside the capabilities of Brinestead! "
    "This aid covers only some of the more common diseases of marine fish and is no complete reference. Go "
    "through the questions again, and look closely at your animals, under good light, for anything you may "
    "have missed. Test the water too: many problems begin there. Then consult a good book, a veterinarian "
    "who treats fish, an experienced dealer, other aquarists and the aquarium sites of the Internet. No "
    "software replaces your own eyes and a good reference. GOOD LUCK! ";

const char* const kLossOfAppetite =
    "Not eating, unfortunately, can be a symptom of many things, or sometimes no disease at all. "
    "Incompatible or harassing tankmates, boredom with one food, or old age can all cause it. Test the "
    "water and look closely for other symptoms. Try different foods, frozen and live ones if possible, and "
    "garlic-soaked food to tempt it. A fish that eats but keeps getting thinner may have an internal "
    "infection or parasites. A new animal may have been caught with cyanide, which damages the gut so that "
    "it cannot eat again. NEVER SUPPORT A DEALER YOU SUSPECT OF SELLING FISH CAUGHT WITH DRUGS. If the fish "
    "has not eaten for a week, consult a veterinarian or an experienced dealer.";

const char* const kFailureToAcclimate =
    "If a fish will not eat for you - ask yourself \"Am I sure I saw it eat at the dealers before I "
    "purchased it?\" If the answer to this is \"No\", it's possible the animal will never acclimate to "
    "captivity. "
    "Many fish adapt in time. Some need a slow start in a quiet tank with hiding places, and a varied diet "
    "with live foods such as brine shrimp or copepods before they take prepared food. Some never adjust, "
    "or starve because they need a natural food that the aquarium cannot give them; read up on the species. "
    "A fish caught with cyanide may never feed again. NEVER SUPPORT A DEALER YOU SUSPECT OF SELLING FISH "
    "CAUGHT WITH DRUGS. Consult an experienced dealer or a veterinarian, and next time ask to see a fish eat "
    "before you buy it.";

const char* const kBullying =
    "While some fish are fairly secretive and \"loners\" by nature, a fish that will not emerge - even to "
    "eat - is usually being \"bullied\" by another animal, or has failed to acclimate to your particular "
    "aquarium. "
    "Watch the tank, also at feeding time and with the lights off, to find the harasser. Remove the "
    "harassing animal for a couple of weeks and reintroduce it later. Rearrange the rocks and decorations "
    "so that every fish has to claim its territory anew, or use a clear divider for a while. Vary the diet "
    "with live food, and drop food near the hiding place. Ask an experienced dealer about the species you "
    "keep together.";

const char* const kPoisoning =
    "Dashing and erratic swimming is often caused by some type of poisoning entering the aquarium. "
    "Tobacco smoke, paint fumes, cleaning sprays, pesticides, perfumes, metals or other foreign matter can "
    "reach the water, as can the toxins of a dying or stressed coral or sea cucumber. Test the water and "
    "check the temperature, then make a large partial water change with clean, matched water and add fresh "
    "activated carbon to the filter. Strong aeration helps. A new animal may also just be panicking from "
    "the stress of the move: dim the lights and leave it in peace. If several fish are affected, or it lasts "
    "more than a day, ask an experienced dealer or a veterinarian.";

const char* const kSwimBladder =
    "Your fish probably has some type of \"Swim Bladder\" problem. "
    "The swim bladder is the gas-filled organ that lets a fish hold its depth without effort. The usual "
    "causes are a rapid drop in temperature (\"chilling\"), an injury, or an infection; overeating and "
    "constipation can press on it as well. Check the heater and the thermometer, and keep the temperature "
    "steady. Isolate the fish in a shallow hospital tank, fast it for a day or two, then feed small meals "
    "of soaked food; medicated food may help against an infection. If it does not improve within a few "
    "days, consult a veterinarian or an experienced dealer.";

// The descriptions joined from pieces keep the carriage returns where the
// pieces meet.
const char* const kFungus1 =
    "  Your fish probably has a white \"cotton-like\" FUNGUS which may have taken over an existing open sore "
    "or bacterial infection. "
    "Overfeeding and overstocking make it worse. Test the water; where it is poor, make a partial water "
    "change and treat the fish in a hospital tank with an anti-fungus treatment. ";
const char* const kFungus2 =
    "   Beware, however, that some anti-fungals MAY damage the tank's ammonia/nitrite/nitrate processing "
    "bacteria. "
    "In good water, the fungus can be wiped away gently with wet cotton and the wound swabbed with a "
    "povidone-iodine solution, keeping it away from the gills; many white growths are in fact bacterial, so "
    "watch the wound and treat again if it comes back. ";
const char* const kFungus3 =
    "   Always check with a Veterinarian or an EXPERIENCED fish dealer before beginning any medicinal "
    "treatment. ";

const char* const kIck1 =
    "  Your fish probably has 1 of several types of common parasite infections. "
    "The parasites show as small white spots, first on the tail and fins, then spreading to the body and "
    "the gills, where they cause laboured breathing and death; they infect every tankmate, so treatment "
    "must start at once. \"ICK\" is present in almost every tank and healthy fish resist it, but stress "
    "lets it attack. ";
const char* const kIck2 =
    "  Other possibile parasites include \"OODINIUM\" or \"Coral Fish Disease\", and \"Gill Flukes\", which "
    "can be cured similiarly. "
    "Scratching against rocks and rapid breathing are early signs. Treat the fish in a hospital tank with a "
    "copper-based treatment, testing the copper level daily with a copper test kit; COPPER IS DEADLY TO "
    "CORALS AND OTHER INVERTEBRATES, SO NEVER PUT IT IN A REEF TANK. Leave the display without fish for "
    "ten to eleven weeks so that the parasites die out. A fresh water bath of a few minutes, at the same "
    "temperature and pH, gives quick relief. Netting and sudden changes add stress. Proceed Carefully. ";
const char* const kIck3 =
    "  Always check with a Veterinarian or an EXPERIENCED fish dealer before beginning any medicinal "
    "treatment.";

const char* const kChilodonella =
    "Your fish may have a parasite infection called \"CHILODONELLA\" which appears as flat (not fuzzy) white "
    "cloudy area, often on the top side of the fish, obscuring the coloration. "
    "Untreated it spreads to the gills, with breathing trouble and death. Copper or other anti-parasite "
    "remedies, or formalin baths, work in a hospital tank; follow the maker's directions exactly. The "
    "parasite needs a host fish, so leaving the display without fish for a while clears it from a "
    "community tank, but the sick fish still needs treatment. Consult a veterinarian or an experienced "
    "dealer before you treat.";

const char* const kGillFlukes =
    "Your fish probably is probably infected with an infestation of \"GILL FLUKES\". "
    "These small worms cling to the gills and feed on blood and mucus; they may show as small red or white "
    "threads, and the fish breathes fast and flicks its gill covers. A fresh-water dip of a few minutes, at "
    "the same temperature and pH, makes many of them drop off. Then treat the fish in a quarantine tank "
    "with a praziquantel remedy or a copper-based treatment, and repeat after a week to catch the young "
    "ones that hatch from the eggs. Consult a veterinarian or an experienced dealer before treating.";

const char* const kLateralLine =
    "Your fish may have a condition called \"LATERAL LINE DISEASE\" which is an inflamation of the lateral "
    "line - a line of nerve endings which runs from the eye of the fish, along the back, to the tail. "
    "It is common in tangs and surgeonfish. Poor diet lacking vitamins and algae, and \"induced voltages\" "
    "leaking from pumps and heaters, are blamed. Feed marine algae and vitamin-enriched food. Test for stray "
    "voltage with a voltmeter set to low-voltage AC, one lead in the water and the other to ground; replace "
    "any device that leaks, and protect the tank's outlets with a ground-fault (residual current) breaker. A "
    "grounding probe of stainless steel or titanium can help meanwhile. Some fish recover almost overnight; "
    "consult a veterinarian or an experienced dealer if it gets worse. ";

const char* const kOpenSore =
    "Your fish probably has an OPEN SORE, a wound that bacteria and fungus can easily infect. "
    "Look for what caused it: sharp rocks, a bully, a heater that burns, or a bacterial ulcer. Test the "
    "water and keep it very clean with partial water changes, as clean water is what heals a wound. Move the "
    "fish to a hospital tank if it is picked on. If the sore grows, turns white or fuzzy, or the fish stops "
    "eating, an antibiotic may be needed: consult a veterinarian or an experienced dealer before medicating.";

QList<CatalogueEntry> buildCatalogue()
{
    const auto entry = [](const char* title, const QString& description) {
        return CatalogueEntry{QString::fromUtf8(title), description};
    };
    const auto text = [](const char* t) { return QString::fromUtf8(t); };
    const QString cr(QChar(13));
    return {
        entry("Dropsy", text(kDropsy)),
        entry("Popeye", text(kPopeye)),
        entry("Diarrhoea", text(kDiarrhoea)),
        entry("Fin Rot", text(kFinRot)),
        entry("Bacterial Infection", text(kBacterialInfection)),
        entry("Lymphocyctis", text(kLymphocyctis)),
        entry("Fin Nipping", text(kFinNipping)),
        entry("Unable to Diagnose", text(kUnableToDiagnose)),
        entry("Loss of Appetite", text(kLossOfAppetite)),
        entry("Failure to Acclimate", text(kFailureToAcclimate)),
        entry("Bullying or Failure to Acclimate", text(kBullying)),
        entry("Possible poisoning or stress", text(kPoisoning)),
        entry("Swim Bladder problem", text(kSwimBladder)),
        entry("Fungus", text(kFungus1) + cr + text(kFungus2) + cr + text(kFungus3)),
        entry("ICK or other parasite", text(kIck1) + text(kIck2) + text(kIck3)),
        entry("Chilodonella", text(kChilodonella)),
        entry("Gill Flukes", text(kGillFlukes)),
        entry("Lateral Line Disease", text(kLateralLine)),
        entry("Open Sore", text(kOpenSore)),
    };
}

} // namespace

const QList<CatalogueEntry>& catalogue()
{
    static const QList<CatalogueEntry> entries = buildCatalogue();
    return entries;
}

std::optional<QString> describe(const QString& title)
{
    for (const CatalogueEntry& e : catalogue())
        if (e.title == title)
            return e.description;
    return std::nullopt;
}

} // namespace diagnosis
