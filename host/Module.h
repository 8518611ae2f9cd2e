#pragma once
// The module's page window, for the demo and the tests that drive the page linked in.
class TFormNamtail;
TFormNamtail* CurrentPage();
