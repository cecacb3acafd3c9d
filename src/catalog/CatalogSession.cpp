#include "catalog/CatalogSession.h"

#include "catalog/ExtendedStarCatalogs.h"
#include "catalog/ObjectIndex.h"
#include "catalog/ProgramDataTables.h"

namespace vsp {

bool CatalogSessionOpen(CatalogSession& session, InfoSink& messages, const CatalogSessionOptions& options) {
    // The chart index must match the object file, known only once that is open: without a
    // chosen index the 18k one is opened, and swapped for the 1k one when the 1k file was found.
    std::string_view indexName = options.objectIndexName;
    if (indexName.empty()) indexName = kObjectIndex18k;
    const bool opened =
        CatalogFilesOpen(session.files, session.catalogs, messages, indexName) == CatalogOpenResult::Opened;
    if (options.objectIndexName.empty() && session.files.objectsAreOneK) {
        session.files.objectIndex.Close();
        session.files.objectIndex.Open(kObjectIndexTypeCode, kCatalogCreatorCode, 0,
                                       std::string(kDataDir), std::string(kObjectIndex1k));
    }

    session.lists = {};
    session.classTexts.clear();
    if (session.files.objects.IsOpen()) {
        // The 18k ranges come from the file built with the object file; the 1k file's are fixed.
        if (!session.files.objectsAreOneK) CatalogRangesLoad(session.dir, session.catalogs);
        NumberedListsLoad(session.dir, session.lists);
        ClassTextsLoad(session.dir, session.classTexts);
    }

    if (options.extendedCatalog >= 0) OpenStarCard(session, messages, options.extendedCatalog);
    return opened;
}

bool OpenStarCard(CatalogSession& session, InfoSink& messages, int index) {
    if (session.stars.ExtendedIndex() == index) return true;
    if (index < 0 || index >= kExtendedCatalogCount || session.missingCard == index) return false;
    if (session.stars.OpenExtendedCatalog(index)) {
        session.missingCard = -1;
        return true;
    }
    session.missingCard = index;
    // Without the default stars the star database's own message has said what to install.
    if (session.files.stars.IsOpen()) {
        const ExtendedCatalogInfo& card = ExtendedCatalogs()[size_t(index)];
        messages.InfoBox("Could not open star catalog " + std::string(card.label),
                         "Please install " + std::string(card.fileName) + " into data sub directory.");
    }
    return false;
}

bool CatalogSessionNeedStars(CatalogSession& session, int lineSet, const std::function<void(int)>& progress) {
    StarCatalog& stars = session.stars;
    // A star file that was missing at the opening has been reported there already.
    if (!session.files.stars.IsOpen()) return false;
    if (!stars.DefaultStarsLoaded()) {
        if (!stars.OpenDefaultStars()) return false;
        stars.LoadDefaultStars(progress);
    }
    stars.LoadConstellationLines(lineSet);
    return stars.DefaultStarsLoaded();
}

void CatalogSessionClose(CatalogSession& session) {
    session.stars.CloseExtendedCatalog();
    session.stars.CloseDefaultStars();
    CatalogFilesClose(session.files);
}

}  // namespace vsp
