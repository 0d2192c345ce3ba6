#pragma once

// What a check says about the text it was given.
enum class Verdict {
    WrongLength, // not the number of characters the identifier has
    Valid,       // the check character matches
    Wrong,       // wrong check character, or a character the rule does not know
};
