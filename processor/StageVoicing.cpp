#include "StageVoicing.h"

StageVoicing StageVoicing::forMode (StageMode mode) noexcept
{
    switch (mode)
    {
        case StageMode::Rare:
            return { 0.055f, 30.8f, 1.8f, 0.45f, 2.5f, 22.0f, 14.0f, 25.0f, 16.0f, 30.0f,
                     20000.0f, -11000.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f,
                     -96.0f, -78.0f, 3000.0f, 1.0f, 0.0f, 0.0f, 0.0f };
        case StageMode::Medium:
            return { 0.859f, 19.5f, 1.15f, 0.55f, 5.0f, 0.0f, 16.0f, 20.0f, 18.0f, 55.0f,
                     20000.0f, -4500.0f, 14000.0f, 1.5f, 0.8f, 2200.0f, 0.7f, 2.0f,
                     -94.0f, -76.0f, 6000.0f, 0.0f, 0.9f, 0.0f, 0.0f };
        case StageMode::Well:
        default:
            return { 2.083f, 40.0f, 0.55f, 0.35f, 4.0f, 0.0f, 20.0f, 30.0f, 22.0f, 50.0f,
                     19000.0f, -8000.0f, 0.0f, 0.0f, 1.0f, 2000.0f, 0.6f, 3.0f,
                     -92.0f, -74.0f, 9000.0f, 0.0f, 0.0f, 0.22f, 0.7f };
    }
}
