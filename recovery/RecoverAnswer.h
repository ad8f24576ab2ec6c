#pragma once

// Yes restores an unsaved model left by a run that ended abnormally, No
// deletes it; Later (the question went away unanswered) keeps it for the
// next start.
enum class RecoverAnswer { Yes, No, Later };
