#include "tools/DiagnosisTree.h"

#include <QHash>

namespace diagnosis {

namespace {

Answer toQuestion(const char* text, Question next)
{
    return Answer{QString::fromUtf8(text), next, QString()};
}

Answer toDiagnosis(const char* text, const char* title)
{
    return Answer{QString::fromUtf8(text), Question::StartingPoint, QString::fromUtf8(title)};
}

QList<QuestionPage> buildPages()
{
    using Q = Question;
    return {
        {Q::StartingPoint,
         QStringLiteral("Look at the animal's body shape and condition, as well as the condition of it's fins."),
         {toQuestion("The fish's body shape is fine, it's fins seem OK also.", Q::Behavior),
          toQuestion("The body shape is normal, but it's FINS are not.", Q::Fins),
          toQuestion("The fish's body is swollen, or has localized swelling", Q::Swelling),
          toDiagnosis("The fish's anus is swollen, and white slimy feces trail.", "Diarrhoea"),
          toDiagnosis("The fish's eye(s) are swollen and protrude from their socket.", "Popeye"),
          toQuestion("The fish is emaciated, and has poor color.", Q::Eating)}},
        {Q::Behavior,
         QStringLiteral("How would you characterize the fish's behavior?"),
         {toQuestion("The fish seems to be swimming and eating normally.", Q::Breathing),
          toDiagnosis("Swimming is erratic, fish does not eat, dashes constantly, bumps into walls.",
                      "Possible poisoning or stress"),
          toDiagnosis("The fish cannot seem to control it's position in the water.", "Swim Bladder problem"),
          toDiagnosis("Fish hides, does not come out to eat, stays in one small area.",
                      "Bullying or Failure to Acclimate")}},
        {Q::Breathing,
         QStringLiteral("Look closely at the animal's breathing and swimming. Does it appear to be normal?"),
         {toQuestion("The fish seems to be breathing and swimming normally.", Q::RedMarks),
          toQuestion("The fish is swimming normally, but breathing is rapid. Mouth is held open.", Q::WhiteSpots)}},
        {Q::Eating,
         QStringLiteral("Is the fish eating regularly and normally?"),
         {toDiagnosis("Yes, the fish is eating regularly.", "Unable to Diagnose"),
          toDiagnosis("The fish WAS eating actively, but is not now. ", "Loss of Appetite"),
          toDiagnosis("The fish has never eaten regularly since it was acquired.", "Failure to Acclimate")}},
        {Q::Fins,
         QStringLiteral("Describe the fish's fins. Are any of the fins ragged, torn, red, or misshapen?"),
         {toDiagnosis("Edges of fins are ragged, and look torn and \"fringed\".", "Fin Rot"),
          toDiagnosis("The BASE of the (where it meets the body) is RED and looks sore.", "Bacterial Infection"),
          toDiagnosis("Fin has one or several clean-edged pieces missing.", "Fin Nipping"),
          toDiagnosis("A side or tail fin has a long split.", "Fin Nipping")}},
        {Q::GillFlukes,
         QStringLiteral("Look closely at the animal's gills and gill covers. Can you see anything small or "
                        "\"thread-like\" hanging onto or trailing from them?"),
         {toDiagnosis("Yes, there are small \"threads\" hanging onto or out of the gills.", "Gill Flukes"),
          toDiagnosis("No, I cannot see anything like that.", "ICK or other parasite")}},
        {Q::LateralLineDisease,
         QStringLiteral("Is there redness or open holes along the fish's \"Lateral Line\"?  (the \"Lateral Line\" "
                        "starts at the head and extends along the back of the fish, and ends at the tail.)"),
         {toDiagnosis("Yes, the \"Lateral Line\" looks red or open", "Lateral Line Disease"),
          toDiagnosis("No, the \"Lateral Line\" looks normal", "Bacterial Infection")}},
        {Q::RedMarks,
         QStringLiteral("Look closely at the fish's skin and fins. Do you see any red marks, streaks, or open wounds?"),
         {toQuestion("No. There are no red marks, streaks, wounds, or open sores.", Q::WhitePatches),
          toQuestion("There ARE red marks or streaks, but no open wounds or sores.", Q::LateralLineDisease),
          toDiagnosis("There are OPEN red wounds or sores on the fish.", "Open Sore"),
          toDiagnosis("There are red wound(s) with WHITE fuzz covering them", "Fungus")}},
        {Q::Swelling,
         QStringLiteral("Can you describe how the swellings look?"),
         {toDiagnosis("The entire fish is swollen. Scales are raised.", "Dropsy"),
          toDiagnosis("The fish has one or more swollen area(s) WITHOUT raised scales.", "Bacterial Infection"),
          toDiagnosis("The fish has \"cauliflower\"-looking lumps.", "Lymphocyctis")}},
        {Q::WhitePatches,
         QStringLiteral("Do you see any new or unusual white-colored patches (flat or fuzzy) anywhere on the fish?"),
         {toQuestion("No. There are no new or unusual white areas on the fish.", Q::Eating),
          toDiagnosis("There is one or more FUZZY white patches on the fish", "Fungus"),
          toDiagnosis("There is one or more FLAT white patches on the fish", "Chilodonella")}},
        {Q::WhiteSpots,
         QStringLiteral("Can you see any white spots, specks, patches, or areas visible on the fish's fins or body?"),
         {toQuestion("No. There are no white spots or patches visible.", Q::GillFlukes),
          toDiagnosis("There are TINY white spots visible on the fish.", "ICK or other parasite"),
          toQuestion("There are larger white PATCHES visible.", Q::WhitePatches)}},
    };
}

const QList<QuestionPage>& pages()
{
    static const QList<QuestionPage> all = buildPages();
    return all;
}

} // namespace

const QuestionPage& questionPage(Question question)
{
    for (const QuestionPage& page : pages())
        if (page.id == question)
            return page;
    return pages().front();
}

} // namespace diagnosis
