#pragma once

// Fills the vocabulary tables for the current language, then the GSM alphabet table.
void InitTabelleLingua();
