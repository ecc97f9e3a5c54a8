#pragma once

// One particle of the scene (spark, drop, sizzle, spatter or ember). Positions are in
// design pixels, y growing downwards; a negative age means the particle is still
// waiting to start.
struct FaceParticle
{
    float x = 0.0f, y = 0.0f;
    float vx = 0.0f, vy = 0.0f;
    float age = 0.0f;
    float life = 1.0f;
    float size = 1.0f;
    float spin = 0.0f;
    float angle = 0.0f;
    int sprite = 0;
    bool active = false;
};
