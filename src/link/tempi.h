#pragma once

// Every interval of the phone link in one place, so that tests can shorten them. A timer takes its
// interval when it starts, so a change applies from the next start on.
struct TempiCollegamento {
    int ecoMs = 1000;          // TimerEcho: from opening the port to "ATE0"
    int identitaMs = 1000;     // TimerGetT: from "ATE0" to the rest of the handshake
    int timeoutMs = 1000;      // TimerOUT tick
    int tentativiMassimi = 10; // TimerOUT gives up when its ticks exceed this count
    int statoMs = 1000;        // Timer1, the status bar and command enabling
    int luceMs = 100;          // TimerLed, the busy light
    int animazioneMs = 250;    // the wait window's animation

    // A wait for a reply ends when nothing arrives for this long.
    int attesaMs = 30000;
    int attesaRicercaReteMs = 120000; // the network search
    int attesaInvioMs = 60000;        // a message or a binary block being sent
    // After a wait that ended without its final result, the next command waits until the line
    // has been silent this long, so that a late reply is not taken for its own.
    int quieteMs = 300;
};

extern TempiCollegamento TempiLink;
