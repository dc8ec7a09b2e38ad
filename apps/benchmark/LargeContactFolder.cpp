#include "apps/benchmark/LargeContactFolder.h"

#include <array>
#include <map>
#include <random>
#include <string>

#include "common/FaxNumberRule.h"

namespace telvane::bench {
namespace {

constexpr std::array<const char*, 40> Surnames = {
    "Adams",    "Baker",   "Carter",    "Dalton",   "Ellis",      "Fischer",    "García",
    "Hughes",   "Ito",     "Jensen",    "Kowalski", "Laurent",    "Müller",     "Nakamura",
    "O'Brien",  "Patel",   "Quinn",     "Rossi",    "Schmidt",    "Tanaka",     "Usman",
    "Vargas",   "Weber",   "Xu",        "Young",    "Zimmermann", "de la Cruz", "Smith-Jones",
    "Ångström", "Brown",   "Clarke",    "Dubois",   "Evans",      "Fontaine",   "Gomez",
    "Hansen",   "Ivanova", "Johansson", "Kim",      "Lefèvre"};
constexpr std::array<const char*, 40> GivenNames = {
    "Ann",  "Bob",   "Carla", "Dan",   "Eve",   "Fiona", "Greg",    "Hana",  "Ivan", "Julia",
    "Karl", "Lena",  "Marc",  "Nina",  "Oscar", "Paula", "Quentin", "Rosa",  "Sven", "Tara",
    "Umar", "Vera",  "Walt",  "Xenia", "Yusuf", "Zoe",   "Amir",    "Beth",  "Chen", "Dora",
    "Emil", "Freya", "Gus",   "Hilde", "Igor",  "Jon",   "Kai",     "Lucía", "Mei",  "Noor"};

std::string FaxNumber(std::mt19937& random) {
    return "+1 555 " + std::to_string(1000000 + random() % 9000000);
}

}  // namespace

LargeContactFolder::LargeContactFolder(std::int32_t contacts)
    : m_folder(m_client.AddStore("Personal Folders").AddFolder(FolderName, outlook::olContactItem)),
      m_contacts(contacts) {
    std::mt19937 random(20240611u);
    for (std::int32_t i = 0; i < contacts; ++i) {
        memory::ContactFields fields;
        const char* surname = Surnames[random() % Surnames.size()];
        const char* given = GivenNames[random() % GivenNames.size()];
        const char initial = static_cast<char>('A' + random() % 26);
        fields.FileAs = std::string(surname) + ", " + given + " " + initial + ".";
        fields.LastName = surname;
        fields.FirstName = given;
        fields.CompanyName = "Company " + std::to_string(random() % 500);

        if (i % 3 == 0) {
            // One, two or three fax fields; a hidden contact has its first one marked and
            // may keep another one shown.
            const auto mask = 1 + random() % 7;
            const bool hidden = (i / 3) % 2 == 0;
            bool marked = false;
            for (std::size_t f = 0; f < FaxFields.size(); ++f) {
                if ((mask & (1u << f)) == 0)
                    continue;
                std::string number = FaxNumber(random);
                if (hidden && !marked) {
                    number = HideFaxNumber(number);
                    marked = true;
                }
                fields.Set(FaxFields[f], std::move(number));
            }
            const memory::ItemHandle item = m_folder.AddContact(std::move(fields));
            m_faxContacts.push_back({item.Record(), item.Record()->stored});
            if (hidden) {
                ++m_hidden;
            } else {
                m_shownPositions.push_back(m_folder.ItemCount());
            }
        } else {
            m_folder.AddContact(std::move(fields));
        }
        if ((i + 1) % 500 == 0)
            m_folder.AddDistributionList("Team " + std::to_string(i / 500));
    }
    m_session = std::make_unique<FaxManagerSession>(m_client);
}

LargeContactFolder& LargeContactFolder::OfSize(std::int32_t contacts) {
    static std::map<std::int32_t, std::unique_ptr<LargeContactFolder>> built;
    auto& folder = built[contacts];
    if (!folder)
        folder = std::make_unique<LargeContactFolder>(contacts);
    return *folder;
}

std::int32_t LargeContactFolder::StoredHidden() const {
    std::int32_t hidden = 0;
    for (const auto& contact : m_faxContacts) {
        for (auto field : FaxFields) {
            if (IsFaxNumberHidden(contact.record->stored->Get(field))) {
                ++hidden;
                break;
            }
        }
    }
    return hidden;
}

void LargeContactFolder::Restore() {
    // The stored copy is an immutable snapshot, so putting the original pointer back restores
    // the contact exactly and costs nothing per field.
    for (const auto& contact : m_faxContacts)
        contact.record->stored = contact.stored;
}

}  // namespace telvane::bench
