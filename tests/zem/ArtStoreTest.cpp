#include "TestBundle.h"
#include "TestImages.h"

#include <gtest/gtest.h>

namespace
{
    class ArtStoreTest : public ::testing::Test
    {
    protected:
        TestBundle bundle;
        const juce::MemoryBlock red = pngOf (solidImage (4, 4, juce::Colours::red));
        const juce::MemoryBlock green = pngOf (solidImage (8, 8, juce::Colours::green));

        void SetUp() override
        {
            // The product's files first, then the toolkit's, as the bundle lists them.
            bundle.addText ("art_json", R"({"frames": {"button": 5}})");
            bundle.addText ("charset_json", R"({"frames": {"button": 7, "charset": 1}})");
            bundle.addText ("common_json", R"({"frames": {"button": 2, "lamp": 3}})");
            bundle.add ("knob_png", red);
            bundle.add ("knob2x_png", green);
            bundle.add ("panel_3x_png", green);
            bundle.add ("empty2x_png", juce::MemoryBlock());
            bundle.add ("notes_txt", red);
            bundle.add ("_2x_png", red);
        }
    };

    TEST_F (ArtStoreTest, LoadsCommonThenArtAndNeverCharset)
    {
        const zem::ArtStore store (bundle.source());
        ASSERT_EQ (store.docs.documents.size(), 2);
        EXPECT_EQ (store.docs.frameCount ("button", 0), 5);
        EXPECT_EQ (store.docs.frameCount ("lamp", 0), 3);
        EXPECT_EQ (store.docs.frameCount ("charset", 0), 0);
    }

    TEST_F (ArtStoreTest, EntriesOnlyForPicturesWithData)
    {
        const zem::ArtStore store (bundle.source());
        EXPECT_EQ (store.entries.size(), 2u);

        const auto* knob = store.find ("knob");
        ASSERT_NE (knob, nullptr);
        EXPECT_EQ (knob->maxScale, 2);
        EXPECT_EQ (knob->slots[1].size, (int) red.getSize());
        EXPECT_EQ (knob->slots[3].data, nullptr);

        ASSERT_NE (store.find ("panel"), nullptr);
        EXPECT_EQ (store.find ("panel")->maxScale, 3);

        EXPECT_EQ (store.find ("empty"), nullptr) << "size 0 makes no entry";
        EXPECT_EQ (store.find ("notes"), nullptr);
        EXPECT_EQ (store.find (""), nullptr);
        EXPECT_EQ (store.find ("Knob"), nullptr) << "names are case-sensitive";
    }

    TEST_F (ArtStoreTest, LaterIdentifierReplacesSameScale)
    {
        bundle.add ("knob_1x_png", green);
        const zem::ArtStore store (bundle.source());
        EXPECT_EQ (store.find ("knob")->slots[1].size, (int) green.getSize());
    }

    TEST_F (ArtStoreTest, NoBundleMakesAnEmptyStore)
    {
        auto source = bundle.source();
        const zem::ArtSource noNames { nullptr, source.count, source.lookup };
        const zem::ArtSource noCount { source.names, 0, source.lookup };
        const zem::ArtSource negativeCount { source.names, -4, source.lookup };
        const zem::ArtSource noLookup { source.names, source.count, nullptr };

        for (const auto& s : { zem::ArtSource(), noNames, noCount, negativeCount, noLookup })
        {
            const zem::ArtStore store (s);
            EXPECT_TRUE (store.entries.empty());
            EXPECT_EQ (store.docs.documents.size(), 0);
            EXPECT_EQ (store.find ("knob"), nullptr);
        }
    }

    TEST_F (ArtStoreTest, BuildingDecodesNothing)
    {
        const int before = zem::ArtEntry::decodeCount();
        const zem::ArtStore store (bundle.source());
        EXPECT_EQ (zem::ArtEntry::decodeCount(), before);
    }

    TEST_F (ArtStoreTest, KitTakesNamedEntriesAndDocuments)
    {
        zem::ArtStore store (bundle.source());
        const zem::ArtKit kit (&store);
        EXPECT_EQ (kit.knob, store.find ("knob"));
        EXPECT_EQ (kit.panel, store.find ("panel"));
        EXPECT_EQ (kit.glyphs, nullptr);
        EXPECT_EQ (kit.button, nullptr);
        EXPECT_EQ (kit.store, &store);
        EXPECT_FLOAT_EQ (kit.contentScale, 1.0f);
        EXPECT_EQ (kit.docs.frameCount ("button", 0), 5);
        EXPECT_EQ (kit.find ("knob"), store.find ("knob"));

        const zem::ArtKit empty;
        EXPECT_EQ (empty.find ("knob"), nullptr);
        EXPECT_EQ (empty.store, nullptr);
    }

    TEST (ArtKit, ImageScaleIsPhysicalScaleTimesContentScale)
    {
        zem::ArtKit kit;
        kit.contentScale = 1.5f;
        auto image = canvas (4, 4);
        juce::Graphics g (image);
        EXPECT_FLOAT_EQ (kit.imageScale (g), 1.5f);

        g.addTransform (juce::AffineTransform::scale (2.0f));
        EXPECT_FLOAT_EQ (kit.imageScale (g), 3.0f);
    }

    TEST_F (ArtStoreTest, CacheIsSharedWhileHeldAndMadeAnewAfter)
    {
        zem::ArtStoreCache::Holder holder;
        auto first = zem::ArtStoreCache::acquire (holder);
        auto second = zem::ArtStoreCache::acquire (holder);
        EXPECT_EQ (first, second);

        const auto source = bundle.source();
        auto* store = first->get (source);
        ASSERT_NE (store, nullptr);
        EXPECT_EQ (second->get (source), store) << "one store per names table";
        EXPECT_EQ (first->stores.size(), 1u);

        std::weak_ptr<zem::ArtStoreCache> watch = first;
        first.reset();
        EXPECT_FALSE (watch.expired());
        second.reset();
        EXPECT_TRUE (watch.expired()) << "the holder never keeps the cache alive";

        auto third = zem::ArtStoreCache::acquire (holder);
        EXPECT_TRUE (third->stores.empty());
    }

    TEST_F (ArtStoreTest, EqualTablesAtDifferentAddressesGetTheirOwnStores)
    {
        zem::ArtStoreCache cache;
        const auto source = bundle.source();
        std::vector<const char*> copy (source.names, source.names + source.count + 1);
        const zem::ArtSource other { copy.data(), source.count, source.lookup };

        EXPECT_NE (cache.get (source), cache.get (other));
        EXPECT_NE (cache.get (zem::ArtSource()), nullptr) << "never null, even for no bundle";
    }
}
