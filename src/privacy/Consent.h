#pragma once

#include <QDate>
#include <QString>

// What one card's consents record: the consent to data processing (its date and who gave it),
// the consent to photos and a free note. A card is known by its position in the registry.
struct Consent {
    enum class GivenBy { Person, Guardian };
    enum class Photos { NotStated, Yes, InternalOnly, No };

    int position = 0;
    // The day of the consent to data processing; null while none is recorded.
    QDate processingDate;
    GivenBy givenBy = GivenBy::Person;
    // The names of the parents or guardians who gave it (GivenBy::Guardian).
    QString guardians;
    Photos photos = Photos::NotStated;
    QString note;

    bool hasProcessingConsent() const { return processingDate.isValid(); }
    bool operator==(const Consent&) const = default;

    // The Italian words the screen and the person's data use.
    static QString givenByText(GivenBy givenBy);
    static QString photosText(Photos photos);
};
