#include "setup/setup.h"

CardSetup defaultCard(int position) {
  CardSetup card;
  card.name = "DeckLink Simulator " + std::to_string(position);
  card.id = "card" + std::to_string(position);
  return card;
}

SimSetup defaultSetup() {
  SimSetup setup;
  setup.cards.push_back(defaultCard(0));
  setup.cards[0].name = "DeckLink Simulator";
  return setup;
}
