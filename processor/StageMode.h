#pragma once

// The character of a drive stage; the numbers are the page choice index.
enum class StageMode : int
{
    Rare = 0,
    Medium = 1,
    Well = 2
};

// 0 gives Rare, 1 Medium, any other value Well.
inline StageMode stageModeFromIndex (int index) noexcept
{
    return index == 0 ? StageMode::Rare : (index == 1 ? StageMode::Medium : StageMode::Well);
}
