#include "sim_config.h"

CardConfig defaultCard(int position) {
  CardConfig card;
  card.name = "DeckLink Simulator " + std::to_string(position);
  card.id = "card" + std::to_string(position);
  return card;
}

SimConfig defaultSetup() {
  SimConfig setup;
  setup.cards.push_back(defaultCard(0));
  setup.cards[0].name = "DeckLink Simulator";
  return setup;
}
