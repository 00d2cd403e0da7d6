#pragma once
// Who makes Velmora and how to reach them: the one place these texts live. They are
// placeholders until the real ones exist. Plain macros, because the resource compiler reads
// this header too (the version resource).
#define VELMORA_MAKER_NAME "Example Maker"
#define VELMORA_MAKER_WEB_ADDRESS "http://www.example.com/velmora/"
#define VELMORA_MAKER_SUPPORT_ADDRESS "support@example.com"
#define VELMORA_MAKER_NOTICE "Copyright (c) 2005 Example Maker. Placeholder notice."
